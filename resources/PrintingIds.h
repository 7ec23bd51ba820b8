// Resource ids of the printing dialogs and their controls (included by resource.h).
#pragma once
