#pragma once
// The numbered folders beside the executable and their item files, and the
// settings file. Every access goes through WFile and WFileFind.

#include <cstdint>

#include "app/item_record.h"

// Merges folder `folder`'s item file with the folder's files and rewrites it
// when that changes it. Returns the number of items now recorded (0 to 15; 0
// also when the item file cannot be read, normally because the folder does
// not exist). With `out` (room for 15 records) the records are copied there
// in order. An item file that can be read but not written gives the merge
// all the same; it is just not saved.
int RescanFolder(int folder, ItemRecord* out);

// Rewrites the folder's item file from `count` records (0 to 15). Returns
// whether they were saved; when not, the item file is as it was.
bool SaveFolderItems(int folder, const ItemRecord* items, int count);

// 0 when the item file cannot be read (`out` untouched); otherwise `out` is
// the first item and the result the record count, or 1 with the
// "ERROR, Empty folder!" record when there is no item.
int ReadFirstItem(int folder, ItemRecord* out);

// The settings word, 3 when settings.dat cannot be read.
uint32_t ReadSettings();
void WriteSettings(uint32_t settings);
