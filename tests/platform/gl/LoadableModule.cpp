// A library that no one links: the driver-library tests load and unload it.
extern "C" int LoadableModuleAnswer() { return 42; }
