// Changes one colour of an engine object, keeping the alpha already stored:
//   1  scene: BackgroundColor
//   5  inserted object: material ambient     6  material diffuse
//   7  material emissive                     8  material specular
//   10 any object: the device's D3DRS_AMBIENT (read, replace red/green/blue, write;
//      both checked with "Cant read/set render state." under RaiseOnStateError;
//      a failed read leaves 0 as the value whose colour is replaced)
// Other kinds, and kinds given an object of the wrong class, do nothing.
#pragma once

#include "Colors.h"

namespace kelDX8 {

class TkelDXCustomObject;

void SetColor(TkelDXCustomObject* Object, int Kind, TColor Color);

}  // namespace kelDX8
