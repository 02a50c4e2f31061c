// Finding a domain's primary domain controller through DNS.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest host or domain name handled, terminator included.
constexpr std::size_t HOST_NAME_CAPACITY = 256;

struct SrvRecord {
  uint16_t priority;
  uint16_t weight;
};

// Index of the record to use: lowest priority, then highest weight, the first
// of equals; `count` when there is none.
std::size_t ChooseSrvRecord(const SrvRecord* records, std::size_t count);

// Picks the target of a DNS answer's SRV records, without the trailing dot.
// Returns false when the answer holds no usable SRV record.
bool TargetFromSrvAnswer(const unsigned char* answer, std::size_t length, char* host, std::size_t capacity);

// The current domain: the default Kerberos realm, else the resolver's default
// domain. Returns false when neither is known.
bool FindCurrentDomain(char* domain, std::size_t capacity);

// Looks up `_ldap._tcp.pdc._msdcs.<domain>` (tried with the resolver's search
// list too) and writes the chosen host name. Returns a status: 0, 8, or
// 2453 when there is no record or no answer.
uint32_t LocatePrimaryDomainController(const char* domain, char* host, std::size_t capacity);
