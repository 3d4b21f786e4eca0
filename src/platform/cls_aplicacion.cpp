#include "platform/cls_aplicacion.h"

ClsAplicacion gAplicacion;
