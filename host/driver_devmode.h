// The full devmode the stand-in owns: its public DEVMODEW followed by the plug-in's private block.
#pragma once

#include <windows.h>

#include <vector>

#include "host/plugin.h"

namespace standin {

inline constexpr WORD kDriverVersion = 0x0100;

class DriverDevmode {
  public:
    // The printer's defaults; the plug-in (may be null) sizes and defaults its private block.
    DriverDevmode(const wchar_t* printerName, HANDLE printer, const Plugin* plugin);

    // False when the plug-in wrote a private block whose header disagrees with what it announced;
    // such a plug-in is not used.
    bool privateBlockSound() const { return privateBlockSound_; }

    // Takes an application's devmode in: the public fields it sets, and its private block
    // through the plug-in when it carries one of the plug-in's size.
    void TakeIn(const DEVMODEW* in);

    DEVMODEW* publicPart() { return reinterpret_cast<DEVMODEW*>(bytes_.data()); }
    const DEVMODEW* publicPart() const { return reinterpret_cast<const DEVMODEW*>(bytes_.data()); }
    // Null without a plug-in.
    void* privatePart();
    DWORD size() const { return static_cast<DWORD>(bytes_.size()); }
    void CopyTo(DEVMODEW* out) const;

  private:
    void TakeInPublic(const DEVMODEW& in);

    HANDLE printer_;
    const Plugin* plugin_;
    std::vector<BYTE> bytes_;
    bool privateBlockSound_ = true;
};

}  // namespace standin
