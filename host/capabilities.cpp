#include "host/capabilities.h"

#include <algorithm>
#include <cwchar>

namespace standin {
namespace {

constexpr Paper kPapers[] = {
    {DMPAPER_LETTER, L"Letter", 2159, 2794}, {DMPAPER_LEGAL, L"Legal", 2159, 3556},
    {DMPAPER_A4, L"A4", 2100, 2970},         {DMPAPER_A5, L"A5", 1480, 2100},
    {DMPAPER_A6, L"A6", 1050, 1480},         {DMPAPER_ENV_10, L"Envelope #10", 1048, 2413},
};

DWORD PaperCount() {
    return static_cast<DWORD>(std::size(kPapers));
}

// Copies at most units - 1 characters and always terminates; the rest of the entry is zeroed so
// that no stale bytes of the caller's buffer look like part of a name.
void CopyName(wchar_t* entry, const wchar_t* name, std::size_t units) {
    std::fill(entry, entry + units, L'\0');
    std::wcsncpy(entry, name, units - 1);
}

}  // namespace

std::span<const Paper> StandardPapers() {
    return kPapers;
}

const Paper* FindPaper(WORD id) {
    const auto* found = std::find_if(std::begin(kPapers), std::end(kPapers),
                                     [id](const Paper& p) { return p.id == id; });
    return found == std::end(kPapers) ? nullptr : found;
}

const Paper& DefaultPaper() {
    return *FindPaper(DMPAPER_A4);
}

DWORD AnswerCapability(WORD capability, void* output, const DEVMODEW& devmode) {
    switch (capability) {
        case DC_FIELDS:
            return devmode.dmFields;
        case DC_PAPERS:
            if (output != nullptr) {
                auto* ids = static_cast<WORD*>(output);
                for (const Paper& paper : kPapers) {
                    *ids++ = paper.id;
                }
            }
            return PaperCount();
        case DC_PAPERSIZE:
            if (output != nullptr) {
                auto* points = static_cast<POINT*>(output);
                for (const Paper& paper : kPapers) {
                    *points++ = POINT{paper.width, paper.length};
                }
            }
            return PaperCount();
        case DC_PAPERNAMES:
            if (output != nullptr) {
                auto* names = static_cast<wchar_t*>(output);
                for (const Paper& paper : kPapers) {
                    CopyName(names, paper.name, kPaperNameUnits);
                    names += kPaperNameUnits;
                }
            }
            return PaperCount();
        case DC_MINEXTENT:
            return kMinExtent;
        case DC_MAXEXTENT:
            return kMaxExtent;
        case DC_SIZE:
            return devmode.dmSize;
        case DC_EXTRA:
            return devmode.dmDriverExtra;
        case DC_VERSION:
            return devmode.dmSpecVersion;
        case DC_DRIVER:
            return devmode.dmDriverVersion;
        case DC_COPIES:
            return kMaxCopies;
        case DC_ORIENTATION:
            return 90;
        case DC_MEDIAREADY:
            // One tray, holding the paper of the devmode.
            if (output != nullptr) {
                CopyName(static_cast<wchar_t*>(output), devmode.dmFormName, kPaperNameUnits);
            }
            return 1;
        default:
            return GDI_ERROR;
    }
}

}  // namespace standin
