// Whether the system takes the newer window styles, icons and messages: its major version is above
// 3. Read once; a program (a test among them) may pin it to build its windows the older way.
#pragma once

bool NewStyleControls();
void SetNewStyleControls(bool value);
