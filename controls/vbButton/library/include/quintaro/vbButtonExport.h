#pragma once
// Symbol visibility of the vbButton library: only what carries this mark is
// exported; everything else in the library stays private to it.

#include <QtCore/qglobal.h>

#if defined(QUINTARO_VBBUTTON_BUILDING)
#define QUINTARO_VBBUTTON_EXPORT Q_DECL_EXPORT
#else
#define QUINTARO_VBBUTTON_EXPORT Q_DECL_IMPORT
#endif
