// The entry of the OpenGL backend: the IDirect3D8 that the program installs
// with d3d8::SetDirect3DFactory. Its one adapter is the primary screen; a
// device draws into the QWindow* given as its window handle.
#pragma once

#include "d3d8.h"

namespace gl {

// A new IDirect3D8 (one reference) for SDK version 220; nullptr for any other
// version or when no QGuiApplication runs.
IDirect3D8* CreateDirect3D(UINT sdkVersion);

// Installs CreateDirect3D as the Direct3D factory and LoadTextureFromFile
// (TextureFileLoader.h) as the texture file loader. Once, at start-up.
void InstallOpenGLBackend();

}  // namespace gl
