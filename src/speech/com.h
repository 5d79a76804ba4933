// COM for the user-interface thread, which the system voices need.
#pragma once

void initializeComForThread();
