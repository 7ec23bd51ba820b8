// Resource ids of the images dialogs and their controls (included by resource.h).
#pragma once
