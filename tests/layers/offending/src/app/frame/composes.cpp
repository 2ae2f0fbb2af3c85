// The shell may include its features.
#include "app/list/memo_list.h"
