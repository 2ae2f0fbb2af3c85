// A feature file that reaches into the shell: the layer check must refuse it.
#include "app/frame/main_window.h"
#include "app/common/qt_text.h"
