// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FileBytes.h"

#include <fstream>
#include <iterator>

std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& strPath, const std::string& strBytes) {
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
}
