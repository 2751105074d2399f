#pragma once
// What every benchmark program needs: a clock in milliseconds and a scratch
// tree it can make and remove.

#include <windows.h>

#include <string>

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to);
void MakeFile(const std::string& path);  // empty; an existing file is emptied
void RemoveTree(const std::string& path);
