#pragma once

// The user information asked for or shown, in and out.
struct UserInfoRequest {
  char name[60] = "";
  char company[80] = "";
  int readonly = 0;
};

// Shows "DLGASKUI" until the fields are valid and OK is pressed (1) or the user cancels (2); -1 when
// the dialog cannot be shown.
int RunUserInfoDialog(UserInfoRequest& request);
