// The four network account operations and their records: the whole boundary
// between the report and the account directory. Any library that exports these
// four functions with C linkage can be bound at run time.
//
// Texts are 0-terminated 16-bit characters. On Windows the platform library
// declares them as wchar_t, which has the same size and layout as char16_t.
#pragma once

#include <cstdint>

extern "C" {

// Level 2 of NetQueryDisplayInformation: machine accounts.
struct NET_DISPLAY_MACHINE {
  char16_t* usri2_name;
  char16_t* usri2_comment;
  uint32_t usri2_flags;
  uint32_t usri2_user_id;
  uint32_t usri2_next_index;
};

// Level 1 of NetQueryDisplayInformation: user accounts.
struct NET_DISPLAY_USER {
  char16_t* usri1_name;
  char16_t* usri1_comment;
  uint32_t usri1_flags;
  char16_t* usri1_full_name;
  uint32_t usri1_user_id;
  uint32_t usri1_next_index;
};

// Level 2 of NetUserGetInfo.
struct USER_INFO_2 {
  char16_t* usri2_name;
  char16_t* usri2_password;
  uint32_t usri2_password_age;
  uint32_t usri2_priv;
  char16_t* usri2_home_dir;
  char16_t* usri2_comment;
  uint32_t usri2_flags;
  char16_t* usri2_script_path;
  uint32_t usri2_auth_flags;
  char16_t* usri2_full_name;
  char16_t* usri2_usr_comment;
  char16_t* usri2_parms;
  char16_t* usri2_workstations;
  uint32_t usri2_last_logon;
  uint32_t usri2_last_logoff;
  uint32_t usri2_acct_expires;
  uint32_t usri2_max_storage;
  uint32_t usri2_units_per_week;
  uint8_t* usri2_logon_hours;
  uint32_t usri2_bad_pw_count;
  uint32_t usri2_num_logons;
  char16_t* usri2_logon_server;
  uint32_t usri2_country_code;
  uint32_t usri2_code_page;
};

uint32_t NetGetDCName(const char16_t* server, const char16_t* domain, uint8_t** buffer);
uint32_t NetQueryDisplayInformation(const char16_t* server, uint32_t level, uint32_t index,
                                    uint32_t entriesRequested, uint32_t preferredMaximumLength,
                                    uint32_t* returnedEntryCount, void** sortedBuffer);
uint32_t NetUserGetInfo(const char16_t* server, const char16_t* userName, uint32_t level, uint8_t** buffer);
uint32_t NetApiBufferFree(void* buffer);

}  // extern "C"

// Status values the core tells apart.
constexpr uint32_t NERR_Success = 0;
constexpr uint32_t ERROR_ACCESS_DENIED = 5;
constexpr uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr uint32_t ERROR_INVALID_DATA = 13;
constexpr uint32_t ERROR_BAD_NETPATH = 53;
constexpr uint32_t ERROR_UNEXP_NET_ERR = 59;
constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr uint32_t ERROR_SEM_TIMEOUT = 121;
constexpr uint32_t ERROR_INVALID_LEVEL = 124;
constexpr uint32_t ERROR_PROC_NOT_FOUND = 127;
constexpr uint32_t ERROR_MORE_DATA = 234;
constexpr uint32_t ERROR_LOGON_FAILURE = 1326;
constexpr uint32_t ERROR_NO_SUCH_DOMAIN = 1355;
constexpr uint32_t NERR_UserNotFound = 2221;
constexpr uint32_t NERR_InvalidComputer = 2351;
constexpr uint32_t NERR_DCNotFound = 2453;

// Account flag of a domain controller's machine account.
constexpr uint32_t UF_SERVER_TRUST_ACCOUNT = 0x2000;
