// The internal errors whose source name and line number are fixed texts of
// the system ("Internal error in ClassWindow at line 2155."): scripts and
// their tests see them, so they keep these values wherever the code that
// raises them moves. An internal error that has no fixed text uses the
// line it is raised at (__LINE__) and its file's name.
#pragma once

namespace kestrel {
namespace internal {

// Source names.
constexpr const char* kClassWindow = "ClassWindow";
constexpr const char* kKestrelBase = "KestrelBase";
constexpr const char* kWindowChecker = "WindowChecker";
constexpr const char* kFunctionProcessor = ".\\FunctionProcessor";

// The window type (kClassWindow).
constexpr int kAddFunctionLine = 2155;     // a window function's prototype cannot be made
constexpr int kMainWinLine = 1052;         // MainWin cannot make its window value
constexpr int kAddLocalVariableLine = 1572;
constexpr int kGetTextLine = 436;          // CDataWindow::GetText is not served by the type
constexpr int kSetTextLine = 458;
constexpr int kGetChildLine = 1157;        // the navigation functions on a window that is gone
constexpr int kGetParentLine = 1170;
constexpr int kGetNextSiblingLine = 1183;
constexpr int kGetPrevSiblingLine = 1196;
constexpr int kGetTopParentLine = 1209;

// The checker (kWindowChecker): no window function is registered.
constexpr int kCheckerEmptyLine = 64;

// The control function processor (kFunctionProcessor).
constexpr int kNoHandlerLine = 38;
constexpr int kNotAttachedLine = 42;

// The package (kKestrelBase).
constexpr int kExitLine = 903;             // Exit without an interpreter
constexpr int kGlobalMainWinLine = 1158;   // the global MainWin cannot make its window value
constexpr int kDllDeclarationLine = 1811;  // dll without an interpreter
constexpr int kDllFunctionMissingLine = 2348;
constexpr int kDllArgumentMissingLine = 2369;
constexpr int kDeclarationRootLine = 2000; // a declarations file's window cannot be made
constexpr int kDeclarationMemberLine = 2038;

}  // namespace internal
}  // namespace kestrel
