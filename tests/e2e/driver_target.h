// A small window program the driver's own tests aim at, run as `e2e_tests.exe --driver-target`: it has
// what Velmora's main window will have (a menu bar, an edit window, a status bar, a message box, files
// dropped on it), so every driver operation is proven against a real program in another process.
#pragma once

namespace e2e {

inline constexpr const char* kDriverTargetFlag = "--driver-target";
inline constexpr const char* kDriverTargetClass = "VelmoraDriverTarget";
inline constexpr const char* kDriverTargetTitle = "駆動テスト";
// The menu: ファイル(&F) → 質問(&Q) asks "続けますか" in a message box titled "確認" and shows the answer
// ("はい"/"いいえ") in status part 0; 終了(&X) ends the program with this exit code.
inline constexpr int kDriverTargetExitCode = 3;
// Status parts at start: "一つ目", "two", "". Dropped files: part 1 their count, part 2 their names
// joined by '|'. Part right edges: 100, 250, to the end (-1).

// Runs the target's window until it is closed; returns the process exit code.
int RunDriverTarget();

}  // namespace e2e
