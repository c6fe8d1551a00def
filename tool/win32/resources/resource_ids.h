/* Resource identifiers shared by the resource script and the code. */
#pragma once

/* The program's icon: the first icon resource, so Explorer shows it for the executable. */
#define IDI_TARVIK 1
