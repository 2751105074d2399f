#pragma once
// What every benchmark program needs: a clock in milliseconds and a scratch
// tree it can make and remove.

#include <windows.h>

#include <string>
#include <vector>

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to);
void MakeFile(const std::string& path);  // empty; an existing file is emptied
void RemoveTree(const std::string& path);

// The launcher's framework started as the program starts it, and the
// desktop's taskbar up, which the tray icons need.
void StartLauncherFramework();
// A scratch launcher base in the temporary folder, named `name`, whose
// folders 0 to `folders` - 1 hold `count` shortcuts each to empty text files;
// baseDir points at it. Returns the base and, in `shortcuts`, the links' paths.
std::string MakeLauncherBase(const char* name, int folders, int count, std::vector<std::string>* shortcuts);
void Pump();  // runs what is queued
double Median(std::vector<double> values);
