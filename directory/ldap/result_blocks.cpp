#include "result_blocks.h"

#include <cstdlib>
#include <cstring>

#include "directory/net_account_ops.h"
#include "text_mapping.h"

namespace {

constexpr char SERVER_NAME_PREFIX[] = "\\\\";
constexpr std::size_t SERVER_NAME_PREFIX_LENGTH = sizeof SERVER_NAME_PREFIX - 1;

std::size_t WideBytes(std::size_t length) { return (length + 1) * sizeof(char16_t); }

std::size_t DisplayRecordBytes(uint32_t level) {
  return level == 1 ? sizeof(NET_DISPLAY_USER) : sizeof(NET_DISPLAY_MACHINE);
}

std::size_t DisplayEntryBytes(uint32_t level, const HeldEntry& entry) {
  std::size_t bytes =
      DisplayRecordBytes(level) + WideBytes(entry.name.length) + WideBytes(entry.comment.length);
  if (level == 1) {
    bytes += WideBytes(entry.fullName.length);
  }
  return bytes;
}

// Appends one text after the records and returns where it went.
char16_t* PlaceText(const HeldPage& page, TextRef text, char16_t** cursor) {
  char16_t* placed = *cursor;
  WidenBytes(HeldText(page, text), text.length, placed);
  *cursor += text.length + 1;
  return placed;
}

}  // namespace

uint32_t BuildServerNameBlock(const char* host, uint8_t** block) {
  const std::size_t hostLength = std::strlen(host);
  auto* name = static_cast<char16_t*>(std::malloc(WideBytes(SERVER_NAME_PREFIX_LENGTH + hostLength)));
  if (name == nullptr) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  WidenBytes(SERVER_NAME_PREFIX, SERVER_NAME_PREFIX_LENGTH, name);
  WidenBytes(host, hostLength, name + SERVER_NAME_PREFIX_LENGTH);
  *block = reinterpret_cast<uint8_t*>(name);
  return NERR_Success;
}

uint32_t BuildDisplayBlock(uint32_t level, const HeldPage& page, std::size_t first, uint32_t firstPosition,
                           uint32_t requested, uint32_t preferredBytes, void** block, uint32_t* count) {
  std::size_t taken = 0;
  std::size_t bytes = 0;
  while (first + taken < page.count && taken < requested) {
    const std::size_t entryBytes = DisplayEntryBytes(level, page.entries[first + taken]);
    if (taken > 0 && bytes + entryBytes > preferredBytes) {
      break;
    }
    bytes += entryBytes;
    ++taken;
  }
  *count = 0;
  *block = nullptr;
  if (taken == 0) {
    return NERR_Success;
  }
  // Records come first, so they are aligned as malloc aligns; the texts follow.
  void* memory = std::malloc(bytes);
  if (memory == nullptr) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  auto* texts = reinterpret_cast<char16_t*>(static_cast<char*>(memory) + taken * DisplayRecordBytes(level));
  for (std::size_t i = 0; i < taken; ++i) {
    const HeldEntry& entry = page.entries[first + i];
    const uint32_t nextIndex = firstPosition + static_cast<uint32_t>(i) + 1;
    if (level == 1) {
      auto& record = static_cast<NET_DISPLAY_USER*>(memory)[i];
      record.usri1_name = PlaceText(page, entry.name, &texts);
      record.usri1_comment = PlaceText(page, entry.comment, &texts);
      record.usri1_flags = entry.flags;
      record.usri1_full_name = PlaceText(page, entry.fullName, &texts);
      record.usri1_user_id = entry.userId;
      record.usri1_next_index = nextIndex;
    } else {
      auto& record = static_cast<NET_DISPLAY_MACHINE*>(memory)[i];
      record.usri2_name = PlaceText(page, entry.name, &texts);
      record.usri2_comment = PlaceText(page, entry.comment, &texts);
      record.usri2_flags = entry.flags;
      record.usri2_user_id = entry.userId;
      record.usri2_next_index = nextIndex;
    }
  }
  *block = memory;
  *count = static_cast<uint32_t>(taken);
  return NERR_Success;
}

uint32_t BuildUserInfoBlock(const char* name, std::size_t nameLength, uint32_t flags, uint32_t passwordAge,
                            uint8_t** block) {
  const std::size_t bytes = sizeof(USER_INFO_2) + WideBytes(nameLength) + WideBytes(0);
  void* memory = std::calloc(1, bytes);
  if (memory == nullptr) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  auto* info = static_cast<USER_INFO_2*>(memory);
  auto* texts = reinterpret_cast<char16_t*>(info + 1);
  WidenBytes(name, nameLength, texts);
  char16_t* empty = texts + nameLength + 1;
  *empty = 0;
  info->usri2_name = texts;
  info->usri2_password = empty;
  info->usri2_password_age = passwordAge;
  info->usri2_home_dir = empty;
  info->usri2_comment = empty;
  info->usri2_flags = flags;
  info->usri2_script_path = empty;
  info->usri2_full_name = empty;
  info->usri2_usr_comment = empty;
  info->usri2_parms = empty;
  info->usri2_workstations = empty;
  info->usri2_logon_server = empty;
  *block = static_cast<uint8_t*>(memory);
  return NERR_Success;
}
