// A directory library for tests: serves the four network account operations
// from a fixture file and records every call it receives.
//
// QUORVEL_FAKE_FIXTURE names the fixture; QUORVEL_FAKE_LOG, when set, names a
// file that gets one line per call. Fixture lines (fields separated by "|",
// blanks around a field ignored; "#" starts a comment line):
//   page_size N                        entries per page (default 1000)
//   dc STATUS | NAME                   what NetGetDCName returns (NAME may be @null)
//   machine NAME | FLAGS | AGE | COMMENT
//   user NAME | FLAGS | AGE | FULL NAME | COMMENT
//   bulk_machines PREFIX | COUNT | AGE COUNT machines PREFIX0001$ ... of one age
//   bulk_users PREFIX | COUNT | AGE    COUNT users PREFIX0001 ... of one age
//   fail_page LEVEL | N | STATUS       the N-th page call of LEVEL fails
//   null_page LEVEL | N                the N-th page call of LEVEL succeeds without its page
//   fail_lookup NAME | STATUS          the lookup of NAME fails
//   null_details NAME                  the lookup of NAME succeeds without its block
//   stuck_index LEVEL                  entries of LEVEL never move the resume index on
// Texts: "\uXXXX" is one 16-bit character, "\xHH" one byte, "\\" and "\|"
// themselves, "@null" a null text; every other byte is one character.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "directory/net_account_ops.h"

namespace {

using Text = std::u16string;

struct Account {
  Text name;
  bool nullName = false;
  uint32_t flags = 0;
  uint32_t age = 0;
  Text comment;
  bool nullComment = false;
  Text fullName;
  bool nullFullName = false;
};

struct PageFault {
  uint32_t level;
  uint32_t call;
  uint32_t status;  // 0: success without a page
};

struct LookupFault {
  Text name;
  uint32_t status;  // 0: success without a block
};

struct Fixture {
  bool loaded = false;
  uint32_t pageSize = 1000;
  uint32_t dcStatus = 0;
  Text dcName = u"\\\\FAKEDC";
  bool dcNull = false;
  std::vector<Account> machines;
  std::vector<Account> users;
  std::vector<PageFault> pageFaults;
  std::vector<LookupFault> lookupFaults;
  std::array<bool, 3> stuckIndex{};
  std::array<uint32_t, 3> pageCalls{};
};

Fixture fixture;

enum class BlockKind { DcName, Page, Details };
struct Block {
  void* address;
  BlockKind kind;
};
std::vector<Block> liveBlocks;

std::string Narrow(const char16_t* text) {
  if (text == nullptr) return "@null";
  std::string out;
  for (; *text != 0; ++text) {
    if (*text < 0x80 && *text >= 0x20) {
      out += static_cast<char>(*text);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(*text));
      out += escaped;
    }
  }
  return out;
}

void Log(const std::string& line) {
  const char* path = std::getenv("QUORVEL_FAKE_LOG");
  if (path == nullptr || *path == 0) return;
  if (FILE* file = std::fopen(path, "ab")) {
    std::fputs(line.c_str(), file);
    std::fputc('\n', file);
    std::fclose(file);
  }
}

std::string Trim(const std::string& field) {
  const std::size_t first = field.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return field.substr(first, field.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> SplitFields(const std::string& rest) {
  std::vector<std::string> fields;
  std::string current;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\\' && i + 1 < rest.size() && rest[i + 1] == '|') {
      current += "\\|";
      ++i;
    } else if (rest[i] == '|') {
      fields.push_back(Trim(current));
      current.clear();
    } else {
      current += rest[i];
    }
  }
  fields.push_back(Trim(current));
  return fields;
}

Text Widen(const std::string& field, bool* isNull = nullptr) {
  if (isNull != nullptr) *isNull = field == "@null";
  Text out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(field[i]);
    if (byte == '\\' && i + 1 < field.size()) {
      const char kind = field[i + 1];
      if (kind == 'u' && i + 5 < field.size()) {
        out += static_cast<char16_t>(std::strtoul(field.substr(i + 2, 4).c_str(), nullptr, 16));
        i += 5;
        continue;
      }
      if (kind == 'x' && i + 3 < field.size()) {
        out += static_cast<char16_t>(std::strtoul(field.substr(i + 2, 2).c_str(), nullptr, 16));
        i += 3;
        continue;
      }
      out += static_cast<char16_t>(static_cast<unsigned char>(kind));
      ++i;
      continue;
    }
    out += static_cast<char16_t>(byte);
  }
  return out;
}

uint32_t Number(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? static_cast<uint32_t>(std::strtoul(fields[index].c_str(), nullptr, 0)) : 0;
}

std::string Field(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : "";
}

void LoadFixture() {
  if (fixture.loaded) return;
  fixture.loaded = true;
  const char* path = std::getenv("QUORVEL_FAKE_FIXTURE");
  if (path == nullptr) return;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), file) != nullptr) {
    std::string line = buffer.data();
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    const std::string directive = line.substr(0, space);
    const std::vector<std::string> f = SplitFields(space == std::string::npos ? "" : line.substr(space + 1));
    if (directive == "page_size") {
      fixture.pageSize = Number(f, 0);
    } else if (directive == "dc") {
      fixture.dcStatus = Number(f, 0);
      fixture.dcName = Widen(Field(f, 1), &fixture.dcNull);
    } else if (directive == "machine" || directive == "user") {
      Account account;
      account.name = Widen(Field(f, 0), &account.nullName);
      account.flags = Number(f, 1);
      account.age = Number(f, 2);
      if (directive == "machine") {
        account.comment = Widen(Field(f, 3), &account.nullComment);
        fixture.machines.push_back(account);
      } else {
        account.fullName = Widen(Field(f, 3), &account.nullFullName);
        account.comment = Widen(Field(f, 4), &account.nullComment);
        fixture.users.push_back(account);
      }
    } else if (directive == "bulk_machines" || directive == "bulk_users") {
      const bool machines = directive == "bulk_machines";
      for (uint32_t i = 1; i <= Number(f, 1); ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, machines ? "%04u$" : "%04u", static_cast<unsigned>(i));
        Account account;
        account.name = Widen(Field(f, 0) + suffix);
        account.age = Number(f, 2);
        account.flags = machines ? 0x1000 : 0x200;
        (machines ? fixture.machines : fixture.users).push_back(account);
      }
    } else if (directive == "fail_page") {
      fixture.pageFaults.push_back({Number(f, 0), Number(f, 1), Number(f, 2)});
    } else if (directive == "null_page") {
      fixture.pageFaults.push_back({Number(f, 0), Number(f, 1), 0});
    } else if (directive == "fail_lookup") {
      fixture.lookupFaults.push_back({Widen(Field(f, 0)), Number(f, 1)});
    } else if (directive == "null_details") {
      fixture.lookupFaults.push_back({Widen(Field(f, 0)), 0});
    } else if (directive == "stuck_index") {
      const uint32_t level = Number(f, 0);
      if (level < fixture.stuckIndex.size()) fixture.stuckIndex[level] = true;
    }
  }
  std::fclose(file);
}

void* Allocate(std::size_t bytes, BlockKind kind) {
  void* block = std::calloc(1, bytes == 0 ? 1 : bytes);
  liveBlocks.push_back({block, kind});
  return block;
}

// Copies a text into the text area of a block and returns where it went.
char16_t* Place(const Text& text, bool isNull, char16_t*& cursor) {
  if (isNull) return nullptr;
  char16_t* start = cursor;
  std::memcpy(cursor, text.data(), text.size() * sizeof(char16_t));
  cursor += text.size();
  *cursor++ = 0;
  return start;
}

std::size_t Units(const Account& a) { return a.name.size() + a.comment.size() + a.fullName.size() + 3; }

}  // namespace

extern "C" {

uint32_t NetGetDCName(const char16_t* server, const char16_t* domain, uint8_t** buffer) {
  LoadFixture();
  Log("NetGetDCName server=" + Narrow(server) + " domain=" + Narrow(domain) + " -> " +
      std::to_string(fixture.dcStatus));
  if (fixture.dcStatus != 0) return fixture.dcStatus;
  if (fixture.dcNull) {
    *buffer = nullptr;
    return 0;
  }
  auto* name =
      static_cast<char16_t*>(Allocate((fixture.dcName.size() + 1) * sizeof(char16_t), BlockKind::DcName));
  std::memcpy(name, fixture.dcName.data(), fixture.dcName.size() * sizeof(char16_t));
  *buffer = reinterpret_cast<uint8_t*>(name);
  return 0;
}

uint32_t NetQueryDisplayInformation(const char16_t* server, uint32_t level, uint32_t index,
                                    uint32_t entriesRequested, uint32_t preferredMaximumLength,
                                    uint32_t* returnedEntryCount, void** sortedBuffer) {
  LoadFixture();
  const std::string call = "NetQueryDisplayInformation server=" + Narrow(server) +
                           " level=" + std::to_string(level) + " index=" + std::to_string(index) +
                           " requested=" + std::to_string(entriesRequested) +
                           " preferred=" + std::to_string(preferredMaximumLength);
  if (level != 1 && level != 2) {
    Log(call + " -> 124");
    return 124;
  }
  const uint32_t callNumber = ++fixture.pageCalls[level];
  for (const PageFault& fault : fixture.pageFaults) {
    if (fault.level != level || fault.call != callNumber) continue;
    if (fault.status != 0) {
      *returnedEntryCount = 0;
      *sortedBuffer = nullptr;
      Log(call + " -> " + std::to_string(fault.status));
      return fault.status;
    }
    *returnedEntryCount = 1;
    *sortedBuffer = nullptr;
    Log(call + " -> 0 count=" + std::to_string(*returnedEntryCount) + " without page");
    return 0;
  }
  const std::vector<Account>& list = level == 2 ? fixture.machines : fixture.users;
  const std::size_t total = list.size();
  std::size_t end = index;
  const uint32_t limit = std::min(entriesRequested, fixture.pageSize);
  while (end < total && end - index < limit) ++end;
  const std::size_t count = index < total ? end - index : 0;
  const std::size_t recordSize = level == 2 ? sizeof(NET_DISPLAY_MACHINE) : sizeof(NET_DISPLAY_USER);
  std::size_t units = 0;
  for (std::size_t i = 0; i < count; ++i) units += Units(list[index + i]);
  void* page = nullptr;
  if (count > 0) {
    page = Allocate(count * recordSize + units * sizeof(char16_t), BlockKind::Page);
    char16_t* cursor = reinterpret_cast<char16_t*>(static_cast<char*>(page) + count * recordSize);
    for (std::size_t i = 0; i < count; ++i) {
      const Account& a = list[index + i];
      const uint32_t next = fixture.stuckIndex[level] ? index : static_cast<uint32_t>(index + i + 1);
      if (level == 2) {
        auto& r = static_cast<NET_DISPLAY_MACHINE*>(page)[i];
        r.usri2_name = Place(a.name, a.nullName, cursor);
        r.usri2_comment = Place(a.comment, a.nullComment, cursor);
        r.usri2_flags = a.flags;
        r.usri2_user_id = static_cast<uint32_t>(1000 + index + i);
        r.usri2_next_index = next;
      } else {
        auto& r = static_cast<NET_DISPLAY_USER*>(page)[i];
        r.usri1_name = Place(a.name, a.nullName, cursor);
        r.usri1_comment = Place(a.comment, a.nullComment, cursor);
        r.usri1_flags = a.flags;
        r.usri1_full_name = Place(a.fullName, a.nullFullName, cursor);
        r.usri1_user_id = static_cast<uint32_t>(1000 + index + i);
        r.usri1_next_index = next;
      }
    }
  }
  *returnedEntryCount = static_cast<uint32_t>(count);
  *sortedBuffer = page;
  const uint32_t status = (index < total && end < total) ? 234 : 0;
  Log(call + " -> " + std::to_string(status) + " count=" + std::to_string(count));
  return status;
}

#if !defined(FAKE_WITHOUT_USER_GET_INFO)
uint32_t NetUserGetInfo(const char16_t* server, const char16_t* userName, uint32_t level, uint8_t** buffer) {
  LoadFixture();
  const std::string call = "NetUserGetInfo server=" + Narrow(server) + " name=" + Narrow(userName) +
                           " level=" + std::to_string(level);
  const Text name = userName != nullptr ? Text(userName) : Text();
  for (const LookupFault& fault : fixture.lookupFaults) {
    if (fault.name != name) continue;
    Log(call + " -> " + std::to_string(fault.status) + (fault.status == 0 ? " without block" : ""));
    return fault.status;
  }
  for (const std::vector<Account>* list : {&fixture.machines, &fixture.users}) {
    for (const Account& a : *list) {
      if (a.name != name || a.nullName) continue;
      auto* info = static_cast<USER_INFO_2*>(Allocate(sizeof(USER_INFO_2), BlockKind::Details));
      info->usri2_password_age = a.age;
      info->usri2_flags = a.flags;
      *buffer = reinterpret_cast<uint8_t*>(info);
      Log(call + " -> 0");
      return 0;
    }
  }
  Log(call + " -> 2221");
  return 2221;
}
#endif

uint32_t NetApiBufferFree(void* buffer) {
  if (buffer == nullptr) {
    Log("NetApiBufferFree null");
    return 0;
  }
  for (std::size_t i = 0; i < liveBlocks.size(); ++i) {
    if (liveBlocks[i].address != buffer) continue;
    static constexpr const char* KIND_NAMES[] = {"dcname", "page", "details"};
    Log(std::string("NetApiBufferFree ") + KIND_NAMES[static_cast<int>(liveBlocks[i].kind)]);
    std::free(buffer);
    liveBlocks.erase(liveBlocks.begin() + static_cast<std::ptrdiff_t>(i));
    return 0;
  }
  Log("NetApiBufferFree unknown");
  return 87;
}

}  // extern "C"
