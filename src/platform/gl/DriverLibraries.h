// The GL driver's libraries stay loaded until the process ends. Closing the X
// display at exit would unload them; nothing is gained by that, and the leak
// checker of the sanitizer builds would then report what the driver's own
// globals still hold, in a library it can no longer name.
#pragma once

namespace gl {

// Marks the loaded driver libraries (the DRI driver, LLVM, the GL dispatch) as
// never to be unloaded. Call once a context exists; repeated calls are harmless.
void KeepDriverLibrariesLoaded();

}  // namespace gl
