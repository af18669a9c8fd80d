// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A file's bytes as they are on disk, read and written whole.
std::string ReadBytes(const std::string& strPath);
void WriteBytes(const std::string& strPath, const std::string& strBytes);
