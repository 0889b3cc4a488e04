// The words that start each activity-log event, in one place so that the passes, the control
// procedures, the help and the tests all spell them alike.
#pragma once

namespace activity::event {

inline constexpr const char* kStart = "start";           // the program started
inline constexpr const char* kEnd = "end";               // the program ended, and why
inline constexpr const char* kSyncOn = "sync-on";        // syncing switched on, and by what
inline constexpr const char* kSyncOff = "sync-off";      // syncing switched off, and by what
inline constexpr const char* kCycle = "cycle";           // a cycle started, and by what
inline constexpr const char* kDone = "done";             // a cycle ended, with its counts
inline constexpr const char* kCopied = "copied";         // a file copied: source, mirror, bytes
inline constexpr const char* kDeleted = "deleted";       // a copy deleted by the cleanup
inline constexpr const char* kKept = "kept";             // a copy moved aside, not destroyed
inline constexpr const char* kExpired = "expired";       // a folder of kept copies removed
inline constexpr const char* kErased = "erased";         // the Sync To directory erased
inline constexpr const char* kFailed = "failed";         // a failure, its whole text
inline constexpr const char* kUnlisted = "unlisted";     // a folder missing or not listable
inline constexpr const char* kLeftAlone = "left-alone";  // a guard left something alone
inline constexpr const char* kSkipped = "skipped";       // an entry passed over (special file)
inline constexpr const char* kChanged = "changed";       // a source changed while copied
inline constexpr const char* kRefused = "refused";       // a cycle refused to write (no mirror)
inline constexpr const char* kMarked = "marked";         // the Sync To directory marked as mirror

}  // namespace activity::event

// What caused an event, as its details say it.
namespace activity::cause {

// Syncing switched on or off.
inline constexpr const char* kUser = "by the user";
inline constexpr const char* kErrorLimit = "by the error limit";
inline constexpr const char* kLoad = "at start-up, as saved";
inline constexpr const char* kEnding = "as the program ends";
// A cycle started.
inline constexpr const char* kSwitchOn = "by the switch-on";
inline constexpr const char* kTimer = "by the timer";
inline constexpr const char* kStartUp = "at start-up";
// The program ended.
inline constexpr const char* kTerminateButton = "by the Terminate button";
inline constexpr const char* kFileExit = "by File > Exit";
inline constexpr const char* kTrayTerminate = "by the tray menu's Terminate";
inline constexpr const char* kSessionEnd = "as the session ends";
inline constexpr const char* kStopSignal = "on a stop signal";
inline constexpr const char* kUnloaded = "as the window was unloaded";

}  // namespace activity::cause
