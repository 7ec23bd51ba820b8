// Resource ids of the album dialogs and their controls (included by resource.h).
#pragma once
