// A fresh folder under the temporary folder for one test, removed with everything in it afterwards.
#pragma once
#include <windows.h>

#include <string>

std::string MakeScratchFolder(const char* name);
void RemoveTree(const std::string& path);
void WriteFileText(const std::string& path, const char* text);
