// The client's own definitions of the server's identifiers; the server defines its copy in DualObject.cpp.
#include "platform/Handles.h"

#include <initguid.h>
#include "Tallivor_h.h"
