// Resource ids of the paper dialogs and their controls (included by resource.h).
#pragma once
