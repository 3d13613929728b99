#pragma once
// Between the open tabs and a recovery record: the copy taken while the
// user works, and the tabs made from a record at the next start.

#include "storage/recovery_format.h"

// The document and every tab in strip order as they are now. Cheap enough
// for the user-interface thread: the bytes are made elsewhere.
void TakeRecoverySnapshot(RecoveryDocument& document);

// Makes the record's tabs, marked changed, with the record's document name;
// Save writes them to the record's file without asking only when that file
// is still as it was when the record was taken. Needs an empty tab set;
// false (nothing made) otherwise or when tabs cannot be made.
bool RestoreRecoveryDocument(const RecoveryDocument& document);

// The identity of the file now; unknown when it cannot be looked at.
RecoveryFileState LookAtFile(const std::string& path);
