// Sets up printers for the demo in the current wine prefix:
//   adjustui-road-setup --printer NAME=MODEL [--paper NAME=WIDTH,LENGTH]...
//                       [--dword VALUE=N]... [--byte VALUE=N]... [--printer ...]
// Papers and values go to the printer named last before them; sizes in tenths of a millimetre.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "winsupport/model_printers.h"

namespace {

bool Split(const std::wstring& argument, std::wstring& key, std::wstring& rest) {
    const auto eq = argument.find(L'=');
    if (eq == std::wstring::npos || eq == 0) {
        return false;
    }
    key = argument.substr(0, eq);
    rest = argument.substr(eq + 1);
    return true;
}

bool Number(const std::wstring& text, unsigned long& out) {
    wchar_t* end = nullptr;
    out = std::wcstoul(text.c_str(), &end, 0);
    return !text.empty() && *end == L'\0';
}

int Usage() {
    std::fputws(
        L"usage: adjustui-road-setup --printer NAME=MODEL [--paper NAME=WIDTH,LENGTH]... "
        L"[--dword VALUE=N]... [--byte VALUE=N]...\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace adjustui::winsupport;
    std::wstring printer;
    // The custom papers of `printer` so far: the list is stored whole each time.
    std::vector<CustomPaper> papers;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        std::wstring key;
        std::wstring rest;
        if (!Split(argv[++i], key, rest)) {
            return Usage();
        }
        bool ok = false;
        if (option == L"--printer") {
            printer = key;
            papers.clear();
            ok = AddModelPrinter(printer, rest);
            if (ok) {
                std::wprintf(L"printer \"%ls\" with driver \"%ls\"\n", key.c_str(), rest.c_str());
            }
        } else if (printer.empty()) {
            return Usage();
        } else if (option == L"--paper") {
            const auto comma = rest.find(L',');
            unsigned long width = 0;
            unsigned long length = 0;
            if (comma == std::wstring::npos || !Number(rest.substr(0, comma), width) ||
                !Number(rest.substr(comma + 1), length)) {
                return Usage();
            }
            papers.push_back(
                {key, static_cast<std::int32_t>(width), static_cast<std::int32_t>(length)});
            ok = StoreCustomPapers(printer, papers);
        } else if (option == L"--dword" || option == L"--byte") {
            unsigned long number = 0;
            if (!Number(rest, number)) {
                return Usage();
            }
            ok = option == L"--dword" ? StoreDword(printer, key, static_cast<std::uint32_t>(number))
                                      : StoreByte(printer, key, static_cast<std::uint8_t>(number));
        } else {
            return Usage();
        }
        if (!ok) {
            std::fwprintf(stderr, L"adjustui-road-setup: %ls %ls failed (error %lu)\n",
                          option.c_str(), argv[i], GetLastError());
            return 1;
        }
    }
    return printer.empty() ? Usage() : 0;
}
