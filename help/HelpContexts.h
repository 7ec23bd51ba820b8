/* Topic numbers the program opens: Help > Contents shows the table of
   contents; these open a page directly. framework/ProgramHelp.h names the
   same numbers for the program. */
#define IDH_GETTING_STARTED 1
#define IDH_MAIN_WINDOW 2
#define IDH_BUILDING_A_LABEL 3
#define IDH_PICTURES 4
#define IDH_LABEL_PAPER 5
#define IDH_PRINTING 6
#define IDH_KEYBOARD 7
#define IDH_FILES_AND_SETTINGS 8
#define IDH_ALBUM_INFORMATION 17
