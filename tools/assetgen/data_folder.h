// The data folder's three parts: the picture sheets with their list, and the two sound
// sets (WAVE and Ogg Vorbis) with their lists and loop files.
#pragma once

#include <string>
#include <vector>

// folder ends in '/'. Each writes its sub-folder and reports on standard error what failed.
[[nodiscard]] bool WritePictures(const std::string& folder);
[[nodiscard]] bool WriteSounds(const std::string& folder);

// Writes a list file: a byte-order mark, then each 16-character name followed by CR LF,
// all UTF-16LE. False when a name is not exactly 16 characters or the file cannot be written.
[[nodiscard]] bool WriteListFile(const std::string& path, const std::string* names, int count);

// Creates the folder (and no parents); true when it exists afterwards.
[[nodiscard]] bool MakeFolder(const std::string& path);

// Writes bytes to path whole; false (with a line on stderr) when it cannot.
[[nodiscard]] bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
