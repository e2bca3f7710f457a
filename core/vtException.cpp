#include "core/vtException.h"

const char* const kErrorMessages[kErrorCount] = {
    "Not Enough Memory",
    "Illegal Index",
    "Image Load Failed",
    "PSF File Load Failed",
    "Read Failed",
    "Write Failed",
    "Tell Failed",
    "Seek Failed",
    "File Not Found",
    "Illegal Particle ID",
    "Illegal Stream",
    "Illegal BMP",
    "Illegal TGA",
    "Window Creation Failed",
    "Could not create GL Context",
    "Could not activate GLRC",
    "Failure while setting PixelFormat",
};

vtException::vtException(ErrorCode code) : text(kErrorMessages[static_cast<int32_t>(code)]), code(code) {}
