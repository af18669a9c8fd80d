// SPDX-License-Identifier: GPL-3.0-or-later
// A fuzz target that misbehaves in the way KEYHAVEN_FUZZ_PROBE names, on
// every input: "crash", "leak", "oom", "timeout", or nothing at all. It
// exists so that the runner's detection of each fault is itself tested.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

namespace {

char* volatile g_pKeep = nullptr;

std::string_view Probe() {
    const char* psz = std::getenv("KEYHAVEN_FUZZ_PROBE");
    return psz ? psz : "";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    static const std::string_view strProbe = Probe();
    if (strProbe == "crash" && nSize > 0) {
        // A heap overflow that only the address sanitizer sees, on an input
        // with bytes so that the runner has something to show.
        char* p = new char[8];
        std::memset(p, 0, 8);
        volatile std::size_t nIndex = 8 + nSize % 4;
        p[nIndex] = 1;
        delete[] p;
    } else if (strProbe == "leak") {
        g_pKeep = new char[64];
        g_pKeep[0] = nSize > 0 ? static_cast<char>(pData[0]) : 0;
        g_pKeep = nullptr;
    } else if (strProbe == "oom") {
        // Far more than any input of the runner's maximum length justifies.
        g_pKeep = static_cast<char*>(std::malloc(std::size_t(8) << 20));
        std::free(g_pKeep);
    } else if (strProbe == "timeout") {
        std::this_thread::sleep_for(std::chrono::seconds(30));
    }
    return 0;
}
