#pragma once
// The three things pcktool does; each answers the process's exit status.

#include <string>
#include <vector>

int ListPack(const std::string& packName);
int ExtractEntry(const std::string& packName, const std::string& index, const std::string& out);
// Each entry is FILE[:LABEL]; LABEL "#N" stores the number N.
int BuildPack(const std::string& packName, const std::vector<std::string>& entries);
