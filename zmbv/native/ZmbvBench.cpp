// Encodes desktop-like frames with the codec core and prints speed and size, or writes the same
// frames raw (bgr0, the unused byte zeroed as a peer expects) to stdout for a peer encoder.
//   zmbv_bench encode WIDTH HEIGHT FRAMES KEY_EVERY
//   zmbv_bench raw WIDTH HEIGHT FRAMES
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DesktopScene.h"
#include "ZmbvEncoder.h"
#include "ZmbvFormat.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s encode|raw WIDTH HEIGHT FRAMES [KEY_EVERY]\n", argv[0]);
    return 2;
  }
  const bool encode = std::strcmp(argv[1], "encode") == 0;
  const int width = std::atoi(argv[2]), height = std::atoi(argv[3]), frames = std::atoi(argv[4]);
  const int keyEvery = argc > 5 ? std::atoi(argv[5]) : 1;
  TDesktopScene scene(width, height);
  std::vector<std::vector<uint32_t>> images(frames);
  for (int t = 0; t < frames; ++t) scene.Render(t, images[t]);
  if (!encode) {
    for (auto& image : images) {
      for (auto& pixel : image) pixel &= 0x00FFFFFF;
      std::fwrite(image.data(), 4, image.size(), stdout);
    }
    return 0;
  }
  TZmbvEncoder encoder(width, height, 1, 4);  // as the driver does
  std::vector<uint8_t> out(Zmbv::MaxFrameSize(width, height));
  size_t bytes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int t = 0; t < frames; ++t)
    bytes += encoder.Encode(reinterpret_cast<const uint8_t*>(images[t].data()), width * 4, t % keyEvery == 0,
                            out.data());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.1f fps %zu bytes\n", frames / seconds, bytes);
  return 0;
}
