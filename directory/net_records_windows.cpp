// Compile-time proof that the records and signatures of net_account_ops.h are
// those of the platform's own network management headers, so that NETAPI32.dll
// can be bound through them. Nothing here generates code.
//
// The platform declares the same four functions with wchar_t and DWORD, which
// C++ cannot accept twice in one unit. The core's names are captured first, and
// the platform's declarations are then read under other names.
#include "directory/net_account_ops.h"

#include <cstddef>
#include <type_traits>

namespace core {
using DisplayUser = ::NET_DISPLAY_USER;
using DisplayMachine = ::NET_DISPLAY_MACHINE;
using UserInfo2 = ::USER_INFO_2;
using GetDCName = decltype(&::NetGetDCName);
using QueryDisplayInformation = decltype(&::NetQueryDisplayInformation);
using UserGetInfo = decltype(&::NetUserGetInfo);
using ApiBufferFree = decltype(&::NetApiBufferFree);
}  // namespace core

#define NET_DISPLAY_USER PLATFORM_NET_DISPLAY_USER
#define NET_DISPLAY_MACHINE PLATFORM_NET_DISPLAY_MACHINE
#define USER_INFO_2 PLATFORM_USER_INFO_2
#define NetGetDCName PlatformNetGetDCName
#define NetQueryDisplayInformation PlatformNetQueryDisplayInformation
#define NetUserGetInfo PlatformNetUserGetInfo
#define NetApiBufferFree PlatformNetApiBufferFree
#include <windows.h>
// lm.h needs the types of windows.h before it.
#include <lm.h>

namespace {

// A 16-bit text unit and a 32-bit number travel the same way under either name.
static_assert(sizeof(wchar_t) == sizeof(char16_t) && alignof(wchar_t) == alignof(char16_t));
static_assert(sizeof(DWORD) == sizeof(uint32_t) && alignof(DWORD) == alignof(uint32_t));
static_assert(std::is_unsigned_v<DWORD> && std::is_unsigned_v<NET_API_STATUS>);
static_assert(sizeof(NET_API_STATUS) == sizeof(uint32_t));
static_assert(sizeof(LPBYTE) == sizeof(uint8_t*));

// Same field at the same place with a type of the same size.
#define SAME_FIELD(core_record, platform_record, field)                             \
  static_assert(offsetof(core_record, field) == offsetof(platform_record, field) && \
                    sizeof(core_record::field) == sizeof(platform_record::field),   \
                #field)

static_assert(sizeof(core::DisplayUser) == sizeof(NET_DISPLAY_USER));
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_name);
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_comment);
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_flags);
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_full_name);
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_user_id);
SAME_FIELD(core::DisplayUser, NET_DISPLAY_USER, usri1_next_index);

static_assert(sizeof(core::DisplayMachine) == sizeof(NET_DISPLAY_MACHINE));
SAME_FIELD(core::DisplayMachine, NET_DISPLAY_MACHINE, usri2_name);
SAME_FIELD(core::DisplayMachine, NET_DISPLAY_MACHINE, usri2_comment);
SAME_FIELD(core::DisplayMachine, NET_DISPLAY_MACHINE, usri2_flags);
SAME_FIELD(core::DisplayMachine, NET_DISPLAY_MACHINE, usri2_user_id);
SAME_FIELD(core::DisplayMachine, NET_DISPLAY_MACHINE, usri2_next_index);

static_assert(sizeof(core::UserInfo2) == sizeof(USER_INFO_2));
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_name);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_password);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_password_age);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_priv);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_home_dir);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_comment);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_flags);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_script_path);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_auth_flags);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_full_name);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_usr_comment);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_parms);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_workstations);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_last_logon);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_last_logoff);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_acct_expires);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_max_storage);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_units_per_week);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_logon_hours);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_bad_pw_count);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_num_logons);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_logon_server);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_country_code);
SAME_FIELD(core::UserInfo2, USER_INFO_2, usri2_code_page);

#undef SAME_FIELD

// The four functions, spelt with the core's types in place of the platform's,
// are the same functions. On x86-64 WINAPI names no calling convention of its
// own, so a function of the platform's type can be called through the core's.
template <typename T>
struct CoreSpelling {
  using type = T;
};
template <>
struct CoreSpelling<wchar_t> {
  using type = char16_t;
};
template <>
struct CoreSpelling<DWORD> {
  using type = uint32_t;
};
template <typename T>
struct CoreSpelling<const T> {
  using type = const typename CoreSpelling<T>::type;
};
template <typename T>
struct CoreSpelling<T*> {
  using type = typename CoreSpelling<T>::type*;
};
template <typename Result, typename... Arguments>
struct CoreSpelling<Result (*)(Arguments...)> {
  using type = typename CoreSpelling<Result>::type (*)(typename CoreSpelling<Arguments>::type...);
};
template <typename T>
using CoreSpelt = typename CoreSpelling<T>::type;

static_assert(std::is_same_v<CoreSpelt<decltype(&NetGetDCName)>, core::GetDCName>);
static_assert(
    std::is_same_v<CoreSpelt<decltype(&NetQueryDisplayInformation)>, core::QueryDisplayInformation>);
static_assert(std::is_same_v<CoreSpelt<decltype(&NetUserGetInfo)>, core::UserGetInfo>);
static_assert(std::is_same_v<CoreSpelt<decltype(&NetApiBufferFree)>, core::ApiBufferFree>);

}  // namespace
