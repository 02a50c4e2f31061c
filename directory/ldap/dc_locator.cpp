#include "dc_locator.h"

#include <arpa/nameser.h>
#include <krb5.h>
#include <netinet/in.h>
#include <resolv.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "directory/net_account_ops.h"

namespace {

constexpr char PDC_SERVICE_PREFIX[] = "_ldap._tcp.pdc._msdcs.";
constexpr std::size_t DNS_ANSWER_CAPACITY = 8192;
constexpr std::size_t SRV_RECORDS_MAX = 64;
// Priority, weight and port precede the target in an SRV record.
constexpr std::size_t SRV_FIXED_BYTES = 6;

// The resolver state for one lookup, closed on every path.
struct ResolverState {
  struct __res_state state;
  bool open = false;
  ResolverState() {
    std::memset(&state, 0, sizeof state);
    open = res_ninit(&state) == 0;
  }
  ~ResolverState() {
    if (open) {
      res_nclose(&state);
    }
  }
  ResolverState(const ResolverState&) = delete;
  ResolverState& operator=(const ResolverState&) = delete;
};

bool CopyName(const char* name, char* out, std::size_t capacity) {
  const std::size_t length = std::strlen(name);
  if (length == 0 || length >= capacity) {
    return false;
  }
  std::memcpy(out, name, length + 1);
  return true;
}

bool DefaultKerberosRealm(char* domain, std::size_t capacity) {
  krb5_context context = nullptr;
  if (krb5_init_context(&context) != 0) {
    return false;
  }
  char* realm = nullptr;
  bool found = false;
  if (krb5_get_default_realm(context, &realm) == 0) {
    found = CopyName(realm, domain, capacity);
    krb5_free_default_realm(context, realm);
  }
  krb5_free_context(context);
  return found;
}

}  // namespace

std::size_t ChooseSrvRecord(const SrvRecord* records, std::size_t count) {
  std::size_t best = count;
  for (std::size_t i = 0; i < count; ++i) {
    if (best == count || records[i].priority < records[best].priority ||
        (records[i].priority == records[best].priority && records[i].weight > records[best].weight)) {
      best = i;
    }
  }
  return best;
}

bool TargetFromSrvAnswer(const unsigned char* answer, std::size_t length, char* host, std::size_t capacity) {
  ns_msg message;
  if (ns_initparse(answer, static_cast<int>(length), &message) != 0) {
    return false;
  }
  std::array<SrvRecord, SRV_RECORDS_MAX> records{};
  std::array<const unsigned char*, SRV_RECORDS_MAX> targets{};
  std::size_t count = 0;
  const int answers = ns_msg_count(message, ns_s_an);
  for (int i = 0; i < answers && count < SRV_RECORDS_MAX; ++i) {
    ns_rr record;
    if (ns_parserr(&message, ns_s_an, i, &record) != 0) {
      return false;
    }
    if (ns_rr_type(record) != ns_t_srv || ns_rr_class(record) != ns_c_in ||
        ns_rr_rdlen(record) <= SRV_FIXED_BYTES) {
      continue;
    }
    const unsigned char* data = ns_rr_rdata(record);
    records[count].priority = static_cast<uint16_t>(ns_get16(data));
    records[count].weight = static_cast<uint16_t>(ns_get16(data + 2));
    targets[count] = data + SRV_FIXED_BYTES;
    ++count;
  }
  // A target of "." says the service is not offered: leave such records out
  // of the choice.
  while (count > 0) {
    const std::size_t chosen = ChooseSrvRecord(records.data(), count);
    char name[NS_MAXDNAME];
    if (ns_name_uncompress(ns_msg_base(message), ns_msg_end(message), targets[chosen], name, sizeof name) <
        0) {
      return false;
    }
    std::size_t nameLength = std::strlen(name);
    if (nameLength > 0 && name[nameLength - 1] == '.') {
      name[--nameLength] = 0;
    }
    if (nameLength > 0) {
      return CopyName(name, host, capacity);
    }
    records[chosen] = records[count - 1];
    targets[chosen] = targets[count - 1];
    --count;
  }
  return false;
}

bool FindCurrentDomain(char* domain, std::size_t capacity) {
  if (DefaultKerberosRealm(domain, capacity)) {
    return true;
  }
  ResolverState resolver;
  return resolver.open && CopyName(resolver.state.defdname, domain, capacity);
}

uint32_t LocatePrimaryDomainController(const char* domain, char* host, std::size_t capacity) {
  std::array<char, sizeof PDC_SERVICE_PREFIX + HOST_NAME_CAPACITY> query{};
  const int written = std::snprintf(query.data(), query.size(), "%s%s", PDC_SERVICE_PREFIX, domain);
  if (written < 0 || static_cast<std::size_t>(written) >= query.size()) {
    return NERR_DCNotFound;
  }
  ResolverState resolver;
  if (!resolver.open) {
    return NERR_DCNotFound;
  }
  std::array<unsigned char, DNS_ANSWER_CAPACITY> answer{};
  const int length = res_nsearch(&resolver.state, query.data(), ns_c_in, ns_t_srv, answer.data(),
                                 static_cast<int>(answer.size()));
  if (length <= 0) {
    return NERR_DCNotFound;
  }
  // A longer answer was cut to the buffer; the records that fit still count.
  const std::size_t usable =
      static_cast<std::size_t>(length) < answer.size() ? static_cast<std::size_t>(length) : answer.size();
  return TargetFromSrvAnswer(answer.data(), usable, host, capacity) ? NERR_Success : NERR_DCNotFound;
}
