// The lyrics search address for a track with a Hebrew title. Kept apart from
// the worker that stores it so that its rules can be checked on their own.
#pragma once
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "nowplaying/outputs.h"

// A web search limited to the lyrics site Hebrew listeners use most, taking
// its first hit.
constexpr char LYRICS_SEARCH_ENDPOINT[] = "https://www.google.com/search";
constexpr char LYRICS_SITE[] = "shironet.mako.co.il";
constexpr char HEBREW_WORD_LYRICS[] = "\xEE\xE9\xEC\xE9\xED";

inline bool HasHebrewLetter(const char *text)
{
    return std::any_of(text, text + strlen(text), [](char c) {
        return std::find(HEBREW_LETTERS.begin(), HEBREW_LETTERS.end(), uint8_t(c)) != HEBREW_LETTERS.end();
    });
}

// The address when artist or name holds a Hebrew letter, else "+"; every
// space becomes "+", every other byte stays as it is.
inline void ComposeLyricsQuery(const char *artist, const char *name, char *query, size_t size)
{
    if (HasHebrewLetter(artist) || HasHebrewLetter(name))
        snprintf(query, size, "%s?hl=en&ie=UTF-8&oe=UTF-8&q=%s %s %s site:%s&btnI=I'm+Feeling+Lucky",
                 LYRICS_SEARCH_ENDPOINT, artist, name, HEBREW_WORD_LYRICS, LYRICS_SITE);
    else
        snprintf(query, size, " ");
    std::replace(query, query + strlen(query), ' ', '+');
}
