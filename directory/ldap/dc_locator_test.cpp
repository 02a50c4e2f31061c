#include "dc_locator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(DcLocator, ChoosesLowestPriorityThenHighestWeight) {
  struct Case {
    std::vector<SrvRecord> records;
    std::size_t chosen;
  };
  const Case cases[] = {
      {{}, 0},
      {{{0, 100}}, 0},
      {{{10, 5}, {0, 1}, {5, 100}}, 1},
      {{{0, 10}, {0, 50}, {0, 20}}, 1},
      {{{1, 50}, {0, 0}, {0, 0}}, 1},  // equals: the first of them
      {{{65535, 65535}, {65534, 0}}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseSrvRecord(c.records.data(), c.records.size()), c.chosen);
  }
}

namespace {

// A DNS response for `_ldap._tcp.pdc._msdcs.lab.test` built by hand.
struct DnsResponse {
  std::vector<unsigned char> bytes;
  std::size_t questionName = 12;
  int answers = 0;

  DnsResponse() {
    bytes = {0x12, 0x34, 0x81, 0x80, 0, 1, 0, 0, 0, 0, 0, 0};
    AppendName("_ldap._tcp.pdc._msdcs.lab.test");
    Append16(33);  // SRV
    Append16(1);   // IN
  }
  void Append16(unsigned value) {
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    bytes.push_back(static_cast<unsigned char>(value));
  }
  void AppendName(const std::string& name) {
    std::size_t start = 0;
    while (start < name.size()) {
      std::size_t dot = name.find('.', start);
      if (dot == std::string::npos) {
        dot = name.size();
      }
      bytes.push_back(static_cast<unsigned char>(dot - start));
      bytes.insert(bytes.end(), name.begin() + static_cast<long>(start),
                   name.begin() + static_cast<long>(dot));
      start = dot + 1;
    }
    bytes.push_back(0);
  }
  // `target` "" is the root (no service); a target ending in '@' is followed
  // by a pointer to "lab.test" in the question.
  void AddRecord(unsigned type, unsigned priority, unsigned weight, const std::string& target) {
    Append16(0xC000 | questionName);
    Append16(type);
    Append16(1);
    Append16(0);
    Append16(300);
    const std::size_t lengthAt = bytes.size();
    Append16(0);
    Append16(priority);
    Append16(weight);
    Append16(389);
    if (!target.empty() && target.back() == '@') {
      const std::string label = target.substr(0, target.size() - 1);
      bytes.push_back(static_cast<unsigned char>(label.size()));
      bytes.insert(bytes.end(), label.begin(), label.end());
      Append16(0xC000 | (questionName + std::string("_ldap._tcp.pdc._msdcs.").size()));
    } else if (target.empty()) {
      bytes.push_back(0);
    } else {
      AppendName(target);
    }
    const std::size_t length = bytes.size() - lengthAt - 2;
    bytes[lengthAt] = static_cast<unsigned char>(length >> 8);
    bytes[lengthAt + 1] = static_cast<unsigned char>(length);
    bytes[7] = static_cast<unsigned char>(++answers);
  }
};

std::string Target(const DnsResponse& response) {
  char host[HOST_NAME_CAPACITY];
  if (!TargetFromSrvAnswer(response.bytes.data(), response.bytes.size(), host, sizeof host)) {
    return "<none>";
  }
  return host;
}

}  // namespace

TEST(DcLocator, TakesTheChosenTargetWithoutItsTrailingDot) {
  DnsResponse response;
  response.AddRecord(33, 10, 100, "dc2.lab.test");
  response.AddRecord(33, 0, 100, "dc1@");
  EXPECT_EQ(Target(response), "dc1.lab.test");
}

TEST(DcLocator, PassesOverOtherRecordsAndTheRootTarget) {
  DnsResponse response;
  response.AddRecord(5, 0, 0, "alias.lab.test");  // CNAME-typed record
  response.AddRecord(33, 0, 100, "");
  response.AddRecord(33, 1, 0, "dc3.lab.test");
  EXPECT_EQ(Target(response), "dc3.lab.test");

  DnsResponse onlyRoot;
  onlyRoot.AddRecord(33, 0, 0, "");
  EXPECT_EQ(Target(onlyRoot), "<none>");
  EXPECT_EQ(Target(DnsResponse()), "<none>");
}

TEST(DcLocator, RefusesATruncatedAnswer) {
  DnsResponse response;
  response.AddRecord(33, 0, 100, "dc1.lab.test");
  response.bytes.resize(response.bytes.size() - 5);
  EXPECT_EQ(Target(response), "<none>");
}
