// The About box: program version and two texts of the version resource.
#include "Dialog.h"
#include "Dialogs.h"
#include "resource.h"

#include <cstdio>
#include <vector>

namespace kt {
namespace {

class AboutDialog : public Dialog {
public:
    AboutDialog() : Dialog(IDD_ABOUTBOX, "") {}

protected:
    void OnInit() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &ignored);
        if (size == 0) return;
        std::vector<char> block(size);
        if (!GetFileVersionInfoA(path, 0, size, block.data())) return;

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
            char text[64];
            std::snprintf(text, sizeof text, "KestrelTarget, V%d.%d.%d.%d",
                          static_cast<int>(HIWORD(fixed->dwFileVersionMS)),
                          static_cast<int>(LOWORD(fixed->dwFileVersionMS)),
                          static_cast<int>(HIWORD(fixed->dwFileVersionLS)),
                          static_cast<int>(LOWORD(fixed->dwFileVersionLS)));
            SetItemText(IDC_ABOUT_VERSION, text);
        }
        SetItemText(IDC_ABOUT_LEGAL, Value(block, "LegalCopyright"));
        SetItemText(IDC_ABOUT_COMPANY, Value(block, "CompanyName"));
    }

private:
    static std::string Value(std::vector<char>& block, const char* name) {
        std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
        char* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
            !value || length == 0)
            return std::string();
        return std::string(value);
    }
};

}  // namespace

void RunAboutDialog(HWND owner) { AboutDialog().Run(owner); }

}  // namespace kt
