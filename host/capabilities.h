// The stand-in's own answers to device-capability queries, before the plug-in sees them.
#pragma once

#include <windows.h>

#include <span>

namespace standin {

struct Paper {
    WORD id;
    const wchar_t* name;
    LONG width;   // tenths of a millimetre
    LONG length;  // tenths of a millimetre
};

// The papers the stand-in offers for every model: a few real DMPAPER_ papers.
std::span<const Paper> StandardPapers();
const Paper* FindPaper(WORD id);
const Paper& DefaultPaper();

// The smallest and largest paper the stand-in accepts, as a packed POINTS (x width, y length).
inline constexpr DWORD kMinExtent = MAKELONG(254, 254);
inline constexpr DWORD kMaxExtent = MAKELONG(2159, 3556);

inline constexpr DWORD kMaxCopies = 9999;
inline constexpr DWORD kPaperNameUnits = 64;

// What a DeviceCapabilitiesW caller gets from the stand-in alone for `devmode`; GDI_ERROR for a
// capability it does not know.
DWORD AnswerCapability(WORD capability, void* output, const DEVMODEW& devmode);

}  // namespace standin
