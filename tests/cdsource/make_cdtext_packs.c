/* Makes the CD-Text of a disc the way a recorder writes it into the lead-in,
 * from a text sheet, with libburn (the library of cdrskin), and stores it in
 * the layout a drive answers READ TOC format 5 with (a cdtext.dat file): the
 * 4-byte header, then the 18-byte packs.
 *   make_cdtext_packs SHEET TRACK_COUNT OUTPUT */
#include <libburn/libburn.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s SHEET TRACK_COUNT OUTPUT\n", argv[0]);
        return 2;
    }
    if (!burn_initialize())
        return 1;
    struct burn_session* session = burn_session_create();
    const int tracks = atoi(argv[2]);
    for (int i = 0; i < tracks; ++i) {
        struct burn_track* track = burn_track_create();
        burn_session_add_track(session, track, BURN_POS_END);
        burn_track_free(track);
    }
    if (burn_session_input_sheet_v07t(session, argv[1], 0, 0) <= 0) {
        fprintf(stderr, "the sheet %s was not taken\n", argv[1]);
        return 1;
    }
    unsigned char* packs = NULL;
    int count = 0;
    if (burn_cdtext_from_session(session, &packs, &count, 0) <= 0 || count <= 0) {
        fprintf(stderr, "no packs were made\n");
        return 1;
    }
    FILE* out = fopen(argv[3], "wb");
    if (!out)
        return 1;
    const int length = count * 18 + 2;
    const unsigned char header[4] = {(unsigned char)(length >> 8), (unsigned char)length, 0, 0};
    fwrite(header, 1, 4, out);
    fwrite(packs, 18, (size_t)count, out);
    fclose(out);
    free(packs);
    burn_session_free(session);
    burn_finish();
    return 0;
}
