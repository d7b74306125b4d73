#include "users/session.h"

int CurrentUserId = 0;
int CurrentUserIsAdmin = 0;
