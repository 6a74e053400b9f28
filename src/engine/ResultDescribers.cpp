#include "ResultDescribers.h"

#include <cstddef>

#include "dinput8.h"

namespace kelDX8 {

const char* const UnknownResultText = "An unknown error occurred.";

namespace {

struct Description {
    HRESULT code;
    const char* text;
};

template <std::size_t N>
const char* Lookup(const Description (&table)[N], HRESULT code) {
    for (const auto& entry : table)
        if (entry.code == code) return entry.text;
    return UnknownResultText;
}

constexpr Description kDirect3D[] = {
    {D3D_OK, "The call succeeded."},
    {S_FALSE, "The call succeeded but did nothing."},
    {E_FAIL, "An undetermined error occurred."},
    {E_NOTIMPL, "The operation is not implemented."},
    {E_NOINTERFACE, "The requested interface is not supported."},
    {E_POINTER, "A required pointer was missing."},
    {E_INVALIDARG, "An invalid parameter was passed."},
    {E_OUTOFMEMORY, "There is not enough memory to complete the call."},
    {D3DERR_WRONGTEXTUREFORMAT, "The pixel format of the texture surface is not valid."},
    {D3DERR_UNSUPPORTEDCOLOROPERATION, "The device does not support a specified texture-blending colour operation."},
    {D3DERR_UNSUPPORTEDCOLORARG, "The device does not support a specified texture-blending colour argument."},
    {D3DERR_UNSUPPORTEDALPHAOPERATION, "The device does not support a specified texture-blending alpha operation."},
    {D3DERR_UNSUPPORTEDALPHAARG, "The device does not support a specified texture-blending alpha argument."},
    {D3DERR_TOOMANYOPERATIONS, "The application requests more texture-filtering operations than the device supports."},
    {D3DERR_CONFLICTINGTEXTUREFILTER, "The current texture filters cannot be used together."},
    {D3DERR_UNSUPPORTEDFACTORVALUE, "The device does not support the specified texture factor value."},
    {D3DERR_CONFLICTINGRENDERSTATE, "The currently set render states cannot be used together."},
    {D3DERR_UNSUPPORTEDTEXTUREFILTER, "The device does not support the specified texture filter."},
    {D3DERR_CONFLICTINGTEXTUREPALETTE, "The current textures cannot be used simultaneously."},
    {D3DERR_DRIVERINTERNALERROR, "The display driver reported an internal error."},
    {D3DERR_NOTFOUND, "The requested item was not found."},
    {D3DERR_MOREDATA, "There is more data available than the buffer can hold."},
    {D3DERR_DEVICELOST, "The device has been lost and cannot be restored at the moment."},
    {D3DERR_DEVICENOTRESET, "The device has been lost but can be reset now."},
    {D3DERR_NOTAVAILABLE, "This device does not support the queried technique."},
    {D3DERR_OUTOFVIDEOMEMORY, "There is not enough display memory to complete the call."},
    {D3DERR_INVALIDDEVICE, "The requested device type is not valid."},
    {D3DERR_INVALIDCALL, "The method call is invalid, for example a parameter may be invalid."},
    {D3DERR_DRIVERINVALIDCALL, "The driver refused the call."},
    {D3DXERR_CANNOTMODIFYINDEXBUFFER, "The index buffer cannot be modified."},
    {D3DXERR_INVALIDMESH, "The mesh is invalid."},
    {D3DXERR_CANNOTATTRSORT, "Attribute sort is not supported as an optimisation technique."},
    {D3DXERR_SKINNINGNOTSUPPORTED, "Skinning is not supported."},
    {D3DXERR_TOOMANYINFLUENCES, "Too many influences were specified."},
    {D3DXERR_INVALIDDATA, "The data is invalid."},
    {D3DXERR_LOADEDMESHASNODATA, "The mesh has no data."},
};

constexpr Description kDirectInput[] = {
    {DI_OK, "The operation completed successfully."},
    {DI_NOTATTACHED, "The device exists but is not currently attached, or the call had no effect."},
    {DI_POLLEDDEVICE, "The device is a polled device; its data is only updated when it is polled."},
    {DIERR_OLDDIRECTINPUTVERSION, "The application requires a newer version of DirectInput."},
    {DIERR_BETADIRECTINPUTVERSION, "The application was written for an unsupported prerelease version of DirectInput."},
    {DIERR_BADDRIVERVER, "The object could not be created because of an incompatible driver version."},
    {DIERR_DEVICENOTREG, "The device or device instance is not registered with DirectInput."},
    {DIERR_NOTFOUND, "The requested object does not exist."},
    {DIERR_INVALIDPARAM, "An invalid parameter was passed, or the object was not in a state that allows the call."},
    {DIERR_NOINTERFACE, "The object does not support the specified interface."},
    {DIERR_GENERIC, "An undetermined error occurred inside the DirectInput subsystem."},
    {DIERR_OUTOFMEMORY, "The DirectInput subsystem could not allocate sufficient memory."},
    {DIERR_UNSUPPORTED, "The function called is not supported at this time."},
    {DIERR_NOTINITIALIZED, "The object has not been initialised."},
    {DIERR_ALREADYINITIALIZED, "The object is already initialised."},
    {DIERR_NOAGGREGATION, "The object does not support aggregation."},
    {DIERR_OTHERAPPHASPRIO, "Another application has a higher priority level, preventing this call."},
    {DIERR_INPUTLOST, "Access to the input device has been lost. It must be reacquired."},
    {DIERR_ACQUIRED, "The operation cannot be performed while the device is acquired."},
    {DIERR_NOTACQUIRED, "The operation cannot be performed unless the device is acquired."},
    {DIERR_NOTEXCLUSIVEACQUIRED, "The operation requires the device to be acquired in exclusive mode."},
};

}  // namespace

const char* DescribeD3DResult(HRESULT Result) { return Lookup(kDirect3D, Result); }
const char* DescribeDIResult(HRESULT Result) { return Lookup(kDirectInput, Result); }

}  // namespace kelDX8
