// Loads a network account library by file name and calls its operations the
// way the report does, printing what comes back, one line per account:
//   netapi_probe LIB dc [DOMAIN]
//   netapi_probe LIB list SERVER LEVEL [quiet]   (listing plus a lookup per entry)
//   netapi_probe LIB user SERVER NAME
//   netapi_probe LIB at SERVER LEVEL INDEX...    (one listing call per index)
// Texts go out one byte per character, as the report writes them.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "directory/net_account_ops.h"

namespace {

using GetDcName = decltype(&NetGetDCName);
using QueryDisplay = decltype(&NetQueryDisplayInformation);
using UserGetInfo = decltype(&NetUserGetInfo);
using BufferFree = decltype(&NetApiBufferFree);

struct Operations {
  GetDcName getDcName;
  QueryDisplay queryDisplay;
  UserGetInfo userGetInfo;
  BufferFree bufferFree;
};

std::u16string Widen(const char* text) {
  std::u16string wide;
  for (; *text != 0; ++text) {
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  }
  return wide;
}

void PrintWide(const char16_t* text) {
  for (; text != nullptr && *text != 0; ++text) {
    std::putchar(static_cast<unsigned char>(*text));
  }
}

int Lookup(const Operations& ops, const char16_t* server, const char16_t* name, bool print) {
  uint8_t* info = nullptr;
  const uint32_t status = ops.userGetInfo(server, name, 2, &info);
  if (print) {
    if (status == NERR_Success) {
      const auto* user = reinterpret_cast<const USER_INFO_2*>(info);
      std::printf("\tage=%u\tflags=0x%x", user->usri2_password_age, user->usri2_flags);
    } else {
      std::printf("\tlookup=%u", status);
    }
  }
  ops.bufferFree(info);
  return status == NERR_Success ? 0 : 1;
}

int List(const Operations& ops, const char16_t* server, uint32_t level, bool quiet) {
  uint32_t index = 0;
  unsigned long total = 0;
  unsigned long failedLookups = 0;
  unsigned calls = 0;
  for (;;) {
    uint32_t count = 0;
    void* block = nullptr;
    const uint32_t status = ops.queryDisplay(server, level, index, 1000, 128000, &count, &block);
    ++calls;
    if (status != NERR_Success && status != ERROR_MORE_DATA) {
      std::printf("listing failed at index %u: %u\n", index, status);
      return 1;
    }
    for (uint32_t i = 0; i < count; ++i) {
      const char16_t* name = nullptr;
      if (level == 1) {
        const auto& user = static_cast<NET_DISPLAY_USER*>(block)[i];
        name = user.usri1_name;
        index = user.usri1_next_index;
        if (!quiet) {
          PrintWide(name);
          std::printf("\trid=%u\tflags=0x%x\tnext=%u\tfull=", user.usri1_user_id, user.usri1_flags,
                      user.usri1_next_index);
          PrintWide(user.usri1_full_name);
          std::printf("\tcomment=");
          PrintWide(user.usri1_comment);
        }
      } else {
        const auto& machine = static_cast<NET_DISPLAY_MACHINE*>(block)[i];
        name = machine.usri2_name;
        index = machine.usri2_next_index;
        if (!quiet) {
          PrintWide(name);
          std::printf("\trid=%u\tflags=0x%x\tnext=%u\tcomment=", machine.usri2_user_id, machine.usri2_flags,
                      machine.usri2_next_index);
          PrintWide(machine.usri2_comment);
        }
      }
      failedLookups += Lookup(ops, server, name, !quiet);
      if (!quiet) {
        std::printf("\n");
      }
    }
    total += count;
    ops.bufferFree(block);
    if (count == 0) {
      break;
    }
  }
  std::printf("entries=%lu calls=%u failed_lookups=%lu\n", total, calls, failedLookups);
  return 0;
}

// One listing call per index, in the order given: status, entry count, and
// the first entry's name and next index.
int CallsAt(const Operations& ops, const char16_t* server, uint32_t level, char** indexes, int count) {
  for (int i = 0; i < count; ++i) {
    const uint32_t index = static_cast<uint32_t>(std::strtoul(indexes[i], nullptr, 10));
    uint32_t entries = 0;
    void* block = nullptr;
    const uint32_t status = ops.queryDisplay(server, level, index, 1000, 128000, &entries, &block);
    std::printf("at=%u status=%u entries=%u", index, status, entries);
    if (entries > 0) {
      const char16_t* name = level == 1 ? static_cast<NET_DISPLAY_USER*>(block)[0].usri1_name
                                        : static_cast<NET_DISPLAY_MACHINE*>(block)[0].usri2_name;
      const uint32_t next = level == 1 ? static_cast<NET_DISPLAY_USER*>(block)[0].usri1_next_index
                                       : static_cast<NET_DISPLAY_MACHINE*>(block)[0].usri2_next_index;
      std::printf(" first=");
      PrintWide(name);
      std::printf(" next=%u", next);
    }
    std::printf("\n");
    ops.bufferFree(block);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: %s LIB dc [DOMAIN] | list SERVER LEVEL [quiet] | user SERVER NAME"
                 " | at SERVER LEVEL INDEX...\n",
                 argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  const Operations ops = {reinterpret_cast<GetDcName>(dlsym(library, "NetGetDCName")),
                          reinterpret_cast<QueryDisplay>(dlsym(library, "NetQueryDisplayInformation")),
                          reinterpret_cast<UserGetInfo>(dlsym(library, "NetUserGetInfo")),
                          reinterpret_cast<BufferFree>(dlsym(library, "NetApiBufferFree"))};
  if (!ops.getDcName || !ops.queryDisplay || !ops.userGetInfo || !ops.bufferFree) {
    std::fprintf(stderr, "missing function\n");
    return 2;
  }
  const std::string command = argv[2];
  if (command == "dc") {
    const std::u16string domain = Widen(argc > 3 ? argv[3] : "");
    uint8_t* name = nullptr;
    const uint32_t status = ops.getDcName(nullptr, domain.c_str(), &name);
    std::printf("status=%u\t", status);
    PrintWide(reinterpret_cast<const char16_t*>(name));
    std::printf("\n");
    ops.bufferFree(name);
    return status == NERR_Success ? 0 : 1;
  }
  if (command == "list" && argc > 4) {
    const std::u16string server = Widen(argv[3]);
    return List(ops, server.c_str(), static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)), argc > 5);
  }
  if (command == "at" && argc > 5) {
    const std::u16string server = Widen(argv[3]);
    return CallsAt(ops, server.c_str(), static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)), argv + 5,
                   argc - 5);
  }
  if (command == "user" && argc > 4) {
    const std::u16string server = Widen(argv[3]);
    const std::u16string name = Widen(argv[4]);
    PrintWide(name.c_str());
    const int failed = Lookup(ops, server.c_str(), name.c_str(), true);
    std::printf("\n");
    return failed;
  }
  std::fprintf(stderr, "unknown command\n");
  return 2;
}
