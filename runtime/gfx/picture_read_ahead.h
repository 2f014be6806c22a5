#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/gfx/picture_files.h"
#include "runtime/gfx/texture_builder.h"

// Pictures decoded on a second thread before the game asks for them. A game
// names the pictures its start-up will load; while the window opens they are
// read from the graphics archive and decoded. A later load takes a decoded
// picture only when its file holds exactly the bytes that were decoded and
// asks for the same colour key, so what the game gets is what its own decode
// would have given; anything else is decoded by the load as always.
namespace rt {

// Starts decoding `names` (archive entry names, as the game loads them) from
// the archive file `archive_name`, found where the runtime finds files. Any
// earlier read-ahead is ended first.
void read_pictures_ahead(const std::string& archive_name, const std::vector<std::string>& names,
                         std::int32_t key);
// The picture decoded from exactly `bytes` with `key`, waiting while it is
// being decoded, and when `texture` is given its texels as make_texture
// builds them for the whole picture with filtering (flipped, colours bled).
// False when there is none: not asked for, not decoded yet (the caller then
// decodes it itself), or refused by the decoders.
bool take_picture_read_ahead(std::span<const std::uint8_t> bytes, std::int32_t key, RgbaImage& image,
                             TextureBuffer* texture = nullptr);
// Waits until every picture not yet taken has been decoded or refused, or
// until the decoded ones waiting to be taken fill the memory allowed them.
void wait_for_picture_read_ahead();
// Stops the second thread and frees what was not taken.
void end_picture_read_ahead();

}  // namespace rt
