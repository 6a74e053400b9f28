// The kelDX8 engine: a small object layer over the Direct3D 8-shaped device
// layer. Include this header only; objects are made with New<T> (New.h).
#pragma once

#include "ApplicationIdleHook.h"
#include "Colors.h"
#include "Rounding.h"
#include "EkelDXError.h"
#include "EngineClock.h"
#include "EngineSwitches.h"
#include "MeshRecords.h"
#include "New.h"
#include "ResultDescribers.h"
#include "SetColor.h"
#include "TkelDXCustomActiveTransform.h"
#include "TkelDXCustomInsertObject.h"
#include "TkelDXCustomObject.h"
#include "TkelDXCustomTransform.h"
#include "TkelDXScene.h"
#include "Vectors.h"
