#pragma once
// Where recovery records live: one folder per run under the recovery folder,
// holding a lock file the run keeps locked while it lives and the record.
// A run that finds another's folder locked leaves it alone; a folder no
// live run locks belongs to a run that ended without cleaning up.
//
//   recovery/run-<seconds>-<pid>/lock          flock, the run's process id
//   recovery/run-<seconds>-<pid>/document.q2r  the record (recovery_format.h)
//
// Records that cannot be used are moved to the folder "recovery-refused"
// beside the recovery folder, never deleted. Only folders and records of
// this user that no one else may open are read or written, as they are
// made here; anything else in their place may be another user's doing and
// is left as it is.

#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "storage/recovery_format.h"

inline constexpr const char* RECOVERY_RECORD_NAME = "document.q2r";
inline constexpr const char* RECOVERY_LOCK_NAME = "lock";

// "quillet2/recovery" in $XDG_STATE_HOME, or in ~/.local/state when that is
// unset or not absolute; empty without a home.
std::string DefaultRecoveryFolder();
// "recovery-refused" beside the recovery folder.
std::string RefusedRecoveryFolder(const std::string& recoveryFolder);

// This run's place. Its folder is made on the first write.
struct RecoveryRun {
  std::string folder;
  std::string name;
  int lockFd = -1;
  int folderFd = -1;
};

// A run named after the time and this process.
RecoveryRun NewRecoveryRun(const std::string& folder);
// Makes the run's folder with its lock held and an empty record, under a
// hidden name first, so that no other run ever sees it unlocked. False, with
// errno, when it cannot.
bool PrepareRecoveryRun(RecoveryRun& run);
std::string RecoveryRecordPath(const RecoveryRun& run);
// Writes the record safely (temporary, sync, rename).
WriteResult WriteRecoveryRecord(RecoveryRun& run, const ByteBuffer& bytes, WriteProblem* problem = nullptr);
// Removes the record, the folder and the lock; the run may prepare again.
void RemoveRecoveryRun(RecoveryRun& run);

enum class RecoveryProblem { None, Truncated, Damaged, Newer, TooLarge, Link, NotFile, Unreadable, Foreign };

// A run that ended without cleaning up, claimed (locked) by this process
// while it decides what to do with it.
struct EndedRun {
  std::string name;
  std::string path;
  int lockFd = -1;
  RecoveryProblem problem = RecoveryProblem::None;
  // The run's entry is itself what cannot be used (a link, no folder, a
  // lock that is no file), rather than the record in it.
  bool wholeEntry = false;
  // What the offer shows, read at claiming.
  RecoverySummary summary;
  // The whole record, read by LoadEndedRun only when it is restored.
  RecoveryDocument document;
};

// The ended runs in the folder with a record, newest record first, each
// with its summary; folders of ended runs that recorded nothing are
// removed. Live runs' folders, this run's own and hidden names are left
// alone. What is not this user's alone (the recovery folder itself, a run's
// folder or a record) comes back as Foreign with `path` naming it, is not
// read, claimed or moved, and must be left alone.
std::vector<EndedRun> ClaimEndedRuns(const std::string& folder, const std::string& ownName);
// Reads the claimed run's whole record into `document`; gives back (and
// sets) the run's problem, None when it can be restored.
RecoveryProblem LoadEndedRun(EndedRun& run);
// Moves the run's record (or whatever stands in its place, or the run's
// folder itself when that is a link) into the refused folder under a name
// of its own, removes the rest and gives back where it went; empty when it
// could not be moved (it then stays where it was).
std::string SetEndedRunAside(EndedRun& run, const std::string& refusedFolder);
// Removes the run's folder with everything in it.
void DiscardEndedRun(EndedRun& run);
// Keeps the run's data and lets go of it.
void ReleaseEndedRun(EndedRun& run);
