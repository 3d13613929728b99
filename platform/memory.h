#pragma once
// How the process keeps memory it has freed.

// Keeps freed memory in the process for reuse instead of handing it back to
// the system at once. A paste of a screen-sized picture takes and frees tens
// of megabytes; handed back and taken again, every page of it faults in
// afresh, which costs more than the paste's own work.
void KeepFreedMemoryForReuse();
