// Arbitrary bytes as a recovery file: read without touching memory outside them.
#include <cstdint>

#include "document/RecoveryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::ReadRecovery(tavrel::ByteView(data, size));
  return 0;
}
