#pragma once
// The run's work tables: made by the loading of a run, freed by its release.

// The ground line, the stain depths and the drop table (all free) from MemAlloc; the creature
// table from the plain heap.
void AllocWorldTables();
// The ground line, the drops, the stains and the creature pictures to MemFree, then the
// creature table to the heap. Absent pictures are handed over too, and MemFree reports each.
void FreeWorldTables();
