#pragma once

// Who is signed in: set once at sign-in, read everywhere else.
extern int CurrentUserId;      // the USUARIO row's ID; 0 until someone signs in
extern int CurrentUserIsAdmin; // that row's ADMINISTRADOR; an administrator when 1 or more

// Typed as both login and password while no active account exists, it
// creates the first administrator account.
inline constexpr const char *kFirstRunWord = "orbil";
