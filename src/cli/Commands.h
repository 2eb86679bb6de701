#pragma once
// deskcfg's commands. Each returns the process exit status; failures print one line on
// stderr. The program folder is already set (paths::programFolder()).

#include <string>
#include <vector>

#include "cli/Json.h"

struct ArearConfig;

using Args = std::vector<std::string>;

int runDeskcfg(int argc, char** argv);

int cmdShow(const Args& args);
int cmdSave(const Args& args);
int cmdArea(const Args& args);
int cmdTheme(const Args& args);   // theme export|import
int cmdUpdate(const Args& args);  // update check

// Writes every section record of the area (keys named after the record fields).
void writeSectionsJson(JsonWriter& json, const ArearConfig& area);
// Writes the café-wide lists held by the store (templates, indices, sync folders).
void writeListsJson(JsonWriter& json);

int fail(const std::string& message, int status = 1);
