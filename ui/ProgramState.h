// The little state that outlives a command: the movie the Movie Info dialog shows, whether that dialog fetches
// the movie's details at once, which list a send is pending for, and the movies an import offers. MainShell owns the
// one instance and hands it to the commands and dialogs that read or set it; nothing else carries input or output
// between dialogs.
#pragma once

#include <string>
#include <string_view>

#include "imdb/Hosts.h"
#include "media/MediaRecord.h"
#include "media/MediaStore.h"
#include "model/Collection.h"

namespace cl {

struct ProgramState {
    CurrentMovie currentMovie;          // the movie the Movie Info dialog shows
    MediaScratch currentMedia;          // its media details
    CurrentImdbInfo currentImdb;        // its database details as the Movie Info dialog's IMDb page shows them
    bool autoRetrieve = false;          // set while the Movie Info dialog that Auto-IMDb opens runs: it fetches at once
    bool movieListSendPending = false;  // set by the send commands before the Export Source dialog opens;
    bool gimmeSendPending = false;      // that dialog reads and clears them
    DatabaseHosts hosts = DefaultHosts();  // the movie database's addresses, read at start
    ImportList importList;                 // the movies a friend's list offers, while the exchange dialog runs
    std::string listFile;                  // the file a list-file dialog chose last; each of them opens with it
};

// Loads a Main Movie List movie with everything the Movie Info and add/edit dialogs show: its record, comments,
// history and media details. Nothing of a movie loaded before stays. A title the list does not hold is still set
// (its database record can be shown), with the number 0 so that no other movie's cover appears; false then.
bool LoadMovieWithDetails(const Collection& c, std::string_view title, bool forEditing, CurrentMovie& movie,
                          MediaScratch& media);

}  // namespace cl
