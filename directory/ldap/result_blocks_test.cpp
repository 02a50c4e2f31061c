#include "result_blocks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "directory/net_account_ops.h"

namespace {

std::u16string Wide(const char16_t* text) { return text == nullptr ? u"<null>" : std::u16string(text); }

struct Block {
  void* memory = nullptr;
  ~Block() { std::free(memory); }
};

// Four users whose names are 1..4 characters long.
void FillPage(HeldPage* page) {
  const std::string names[] = {"a", "bb", "ccc", "dddd"};
  const std::string comment = "c";
  for (const std::string& name : names) {
    ASSERT_TRUE(AppendAccount({{name.data(), name.size()},
                               {comment.data(), comment.size()},
                               {nullptr, 0},
                               {"512", 3},
                               {nullptr, 0},
                               {nullptr, 0}},
                              0, page));
  }
}

// What one user record with its texts takes: the record, name, comment of
// one character and an empty full name, each text with its terminator.
std::size_t UserBytes(std::size_t nameLength) {
  return sizeof(NET_DISPLAY_USER) + 2 * (nameLength + 1) + 2 * 2 + 2;
}

}  // namespace

TEST(ResultBlocks, ServerNameHasTwoBackslashes) {
  uint8_t* block = nullptr;
  ASSERT_EQ(BuildServerNameBlock("dc1.lab.test", &block), 0u);
  EXPECT_EQ(Wide(reinterpret_cast<char16_t*>(block)), u"\\\\dc1.lab.test");
  std::free(block);
}

TEST(ResultBlocks, UsersCarryTheirTextsInsideTheBlockAndTheirNextIndex) {
  HeldPage page;
  FillPage(&page);
  Block block;
  uint32_t count = 0;
  ASSERT_EQ(BuildDisplayBlock(1, page, 1, 41, 1000, 128000, &block.memory, &count), 0u);
  ASSERT_EQ(count, 3u);
  const auto* users = static_cast<NET_DISPLAY_USER*>(block.memory);
  EXPECT_EQ(Wide(users[0].usri1_name), u"bb");
  EXPECT_EQ(Wide(users[2].usri1_name), u"dddd");
  EXPECT_EQ(Wide(users[2].usri1_comment), u"c");
  EXPECT_EQ(Wide(users[2].usri1_full_name), u"");
  EXPECT_EQ(users[0].usri1_flags, 512u);
  EXPECT_EQ(users[0].usri1_next_index, 42u);
  EXPECT_EQ(users[2].usri1_next_index, 44u);
  const char* begin = static_cast<char*>(block.memory);
  const char* end = begin + UserBytes(2) + UserBytes(3) + UserBytes(4);
  for (uint32_t i = 0; i < count; ++i) {
    for (const char16_t* text : {users[i].usri1_name, users[i].usri1_comment, users[i].usri1_full_name}) {
      const char* at = reinterpret_cast<const char*>(text);
      EXPECT_GE(at, begin + count * sizeof(NET_DISPLAY_USER));
      EXPECT_LT(at, end);
    }
  }
}

TEST(ResultBlocks, MachinesUseTheirOwnRecord) {
  HeldPage page;
  FillPage(&page);
  Block block;
  uint32_t count = 0;
  ASSERT_EQ(BuildDisplayBlock(2, page, 3, 3, 1000, 128000, &block.memory, &count), 0u);
  ASSERT_EQ(count, 1u);
  const auto* machines = static_cast<NET_DISPLAY_MACHINE*>(block.memory);
  EXPECT_EQ(Wide(machines[0].usri2_name), u"dddd");
  EXPECT_EQ(machines[0].usri2_next_index, 4u);
}

TEST(ResultBlocks, EntriesStopAtTheRequestedCountOrPastThePreferredLength) {
  HeldPage page;
  FillPage(&page);
  struct Case {
    uint32_t requested;
    uint32_t preferred;
    uint32_t expected;
  };
  const Case cases[] = {
      {1000, 0, 1},  // the first entry always comes
      {1000, static_cast<uint32_t>(UserBytes(1) + UserBytes(2)), 2},
      {1000, static_cast<uint32_t>(UserBytes(1) + UserBytes(2) + UserBytes(3) - 1), 2},
      {2, 128000, 2},
      {1000, 128000, 4},
  };
  for (const Case& c : cases) {
    Block block;
    uint32_t count = 99;
    ASSERT_EQ(BuildDisplayBlock(1, page, 0, 0, c.requested, c.preferred, &block.memory, &count), 0u);
    EXPECT_EQ(count, c.expected) << c.requested << " " << c.preferred;
  }
  Block none;
  uint32_t count = 99;
  ASSERT_EQ(BuildDisplayBlock(1, page, 4, 4, 1000, 128000, &none.memory, &count), 0u);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(none.memory, nullptr);
}

TEST(ResultBlocks, UserInfoHoldsNameFlagsAndAgeAndEmptyTexts) {
  uint8_t* block = nullptr;
  ASSERT_EQ(BuildUserInfoBlock("bob$", 4, 0x1000, 86400, &block), 0u);
  const auto* info = reinterpret_cast<USER_INFO_2*>(block);
  EXPECT_EQ(Wide(info->usri2_name), u"bob$");
  EXPECT_EQ(info->usri2_flags, 0x1000u);
  EXPECT_EQ(info->usri2_password_age, 86400u);
  EXPECT_EQ(Wide(info->usri2_full_name), u"");
  EXPECT_EQ(info->usri2_logon_hours, nullptr);
  EXPECT_EQ(info->usri2_num_logons, 0u);
  std::free(block);
}
