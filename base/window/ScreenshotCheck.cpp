#include "ScreenshotCheck.h"

#include "ClassWindow.h"
#include "ScriptPaths.h"
#include "WindowCapture.h"

#include "BoundedWait.h"
#include "DataBitmap.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace kestrel {

namespace {

bool UpdatingBaselines()
{
    const char* value = std::getenv("KESTREL_UPDATE_BASELINES");
    return value && *value && std::string(value) != "0";
}

// Creates every missing folder of `path` (a file's folder, with either
// separator); existing ones are fine.
void MakeFolders(const std::string& folder)
{
    for (size_t at = 0; (at = folder.find_first_of("\\/", at + 1)) != std::string::npos;)
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

std::string FolderOf(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

// Where the actual and diff images go: the artifacts folder when one is
// set, otherwise the script's folder.
CStatus ArtifactPath(SSI_FunctionAPI& call, const std::string& file, String& path)
{
    const char* artifacts = std::getenv("KESTREL_ARTIFACTS");
    if (artifacts && *artifacts) {
        MakeFolders(artifacts);
        path = String(std::string(artifacts) + "\\" + file);
        return CStatus::MakeOK();
    }
    return AbsolutePath(call, String(file), path);
}

CStatus Save(CDataBitmap& bitmap, String& path)
{
    MakeFolders(FolderOf(path.str()));
    CStatus status = bitmap.SaveToFile(path);
    if (!status)
        return CStatus().Format(CStatus::Error, "Could not write %s: %s (5913)", path.c_str(), status.GetStatusMessage().c_str());
    return CStatus::MakeOK();
}

// The window is looked up as window functions look it up: within the
// lookup bound (SetLookupTimeout), so a window that is still opening is
// waited for.
constexpr int kLookupPauseMs = 10;
// A window still painting changes between two captures: further captures,
// this far apart and for at most this long, until two in a row agree.
constexpr int kSettlePauseMs = 50;
constexpr int kSettleBoundMs = 1000;

// The window's own image (WindowCapture::CaptureOwnImage), once two
// captures in a row agree (or the last of a bounded series).
CStatus Capture(CDataWindow& window, CDataBitmap& shot)
{
    unsigned menuItemId = 0;
    HMENU menu = nullptr;
    CStatus found;
    loom::WaitUntil(
        [&] {
            // A value bound to a handle is its window, as for every window
            // function.
            if (window.handle != 0) {
                found = window.ResolveNow()
                            ? CStatus::MakeOK()
                            : CStatus().Format(CStatus::Error, "Window with handle '%d' no longer exists. (K00542)",
                                               window.handle);
                return found.IsSuccess();
            }
            return (found = window.FindMe(menuItemId, menu)) && window.foundWindow;
        },
        CDataWindow::LookupTimeoutMs(), kLookupPauseMs);
    if (!found || !window.foundWindow)
        return found ? CStatus::MakeError("CheckScreenshot: the window was not found. (5914)") : found;
    CStatus status = WindowCapture::CaptureOwnImage(window, shot);
    if (!status) return status;
    bool first = true;
    loom::WaitUntil(
        [&] {
            // The capture above stands for the first try: the next one comes
            // a pause later.
            if (first) {
                first = false;
                return false;
            }
            CDataBitmap again;
            status = WindowCapture::CaptureOwnImage(window, again);
            if (!status) return true;
            int64_t differences = -1;
            const bool same = again.CountDifferences(shot, 0, differences) && differences == 0;
            shot = again;
            return same;
        },
        kSettleBoundMs, kSettlePauseMs);
    return status;
}

}  // namespace

void CallCheckScreenshot(SSI_FunctionAPI& call)
{
    CDataWindow* window = ReadValue<CDataWindow>(call, 0);
    String name;
    int tolerance = 0, maxDiffPixels = 0;
    if (!window || !ReadString(call, 1, name) || !ReadInt(call, 2, tolerance) ||
        !ReadInt(call, 3, maxDiffPixels))
        return;
    ReturnBool(call, false);
    if (name.IsEmpty() || name.str().find_first_of("\\/:*?\"<>|") != std::string::npos || maxDiffPixels < 0 ||
        tolerance < 0 || tolerance > 255) {
        call.m_ReturnStatus.Format(CStatus::Error,
                                   "CheckScreenshot needs a plain file name, a tolerance from 0 to 255 and a "
                                   "maximum of at least 0 pixels: '%s', %d, %d. (5915)",
                                   name.c_str(), tolerance, maxDiffPixels);
        return;
    }
    CDataBitmap actual;
    CStatus status = Capture(*window, actual);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    String baselinePath;
    status = AbsolutePath(call, String("baselines\\" + name.str() + ".png"), baselinePath);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    const bool exists = GetFileAttributesA(baselinePath.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exists || UpdatingBaselines()) {
        status = Save(actual, baselinePath);
        if (!status) {
            call.m_ReturnStatus = status;
            return;
        }
        ReturnBool(call, true);
        call.m_ReturnStatus = exists ? CStatus().Format(CStatus::Warning, "Baseline updated: %s. (5916)", baselinePath.c_str())
                                     : CStatus().Format(CStatus::Warning, "Baseline created: %s. (5910)", baselinePath.c_str());
        return;
    }
    CDataBitmap baseline;
    status = baseline.LoadFromFile(baselinePath);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    String actualPath, diffPath;
    if (!(status = ArtifactPath(call, name.str() + "-actual.png", actualPath)) ||
        !(status = ArtifactPath(call, name.str() + "-diff.png", diffPath))) {
        call.m_ReturnStatus = status;
        return;
    }
    const tagBMP_INFO_HDR& a = actual.GetInfoHeader();
    const tagBMP_INFO_HDR& b = baseline.GetInfoHeader();
    if (a.biWidth != b.biWidth || a.biHeight != b.biHeight || a.biBitCount != b.biBitCount) {
        status = Save(actual, actualPath);
        call.m_ReturnStatus = status ? CStatus().Format(CStatus::Error,
                                                        "Screenshot '%s' is %d x %d, its baseline %s is %d x %d: see "
                                                        "%s. (5912)",
                                                        name.c_str(), a.biWidth, a.biHeight, baselinePath.c_str(),
                                                        b.biWidth, b.biHeight, actualPath.c_str())
                                     : status;
        return;
    }
    int64_t count = 0;
    status = actual.CountDifferences(baseline, tolerance, count);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    if (count <= maxDiffPixels) {
        ReturnBool(call, true);
        call.m_ReturnStatus = CStatus::MakeOK();
        return;
    }
    CDataBitmap diff;
    status = actual.DiffImage(baseline, tolerance, diff);
    if (status) status = Save(actual, actualPath);
    if (status) status = Save(diff, diffPath);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    call.m_ReturnStatus.Format(CStatus::Error,
                               "Screenshot '%s' differs from its baseline in %d pixels (at most %d allowed): see %s "
                               "and %s. (5911)",
                               name.c_str(), static_cast<int>(count), maxDiffPixels, actualPath.c_str(),
                               diffPath.c_str());
}

}  // namespace kestrel
