// A shell test that the test sets, so one program takes the code paths of
// both shells. Link shell_switch.cpp instead of the server_shell library.
#pragma once

extern int fTestNewShell;   // what IsNewShell answers; 1 at start
