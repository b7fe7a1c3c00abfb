// The user the program asks now. With none installed, every question fails
// with a ScriptError saying that nobody is there to answer it.
#pragma once

#include "User.h"

namespace uv {

User& currentUser();
// Returns the user installed before; null restores "nobody".
User* setCurrentUser(User* user);

// Installs a user for the life of the scope, then puts the previous one back.
class UserScope {
 public:
  explicit UserScope(User& user) : m_previous(setCurrentUser(&user)) {}
  ~UserScope() { setCurrentUser(m_previous); }
  UserScope(const UserScope&) = delete;
  UserScope& operator=(const UserScope&) = delete;

 private:
  User* m_previous;
};

}  // namespace uv
