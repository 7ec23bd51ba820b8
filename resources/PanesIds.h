// Resource ids of the panes dialogs and their controls (included by resource.h).
#pragma once
