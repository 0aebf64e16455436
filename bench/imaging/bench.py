"""Pillow side of the imaging benchmark: default images (synthetic ones and
real photographs), Pillow's dithering on the same pixels and palette, the
blurred RMSE of both results and the speed of both, measured in turns."""
import os
import subprocess
import sys
import time

import numpy as np
from PIL import Image


def make_photo(w, h, seed):
    """A photo-like test image: multi-scale smooth texture, shaded shapes
    with hard edges, fine detail and sensor noise."""
    rng = np.random.default_rng(seed)
    acc = np.zeros((h, w, 3))
    for scale, amp in ((4, 90), (16, 50), (64, 25), (256, 12)):
        small = rng.uniform(0, 255, (max(2, h * scale // 1200 + 2), max(2, w * scale // 1600 + 2), 3))
        layer = Image.fromarray(small.astype(np.uint8), "RGB").resize((w, h), Image.BICUBIC)
        acc += (np.asarray(layer, dtype=np.float64) - 128) * amp / 128
    acc += 128
    yy, xx = np.mgrid[0:h, 0:w]
    for _ in range(12):
        cx, cy, r = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(w / 30, w / 6)
        colour = rng.uniform(0, 255, 3)
        mask = (xx - cx) ** 2 + (yy - cy) ** 2 < r * r
        shade = 0.6 + 0.4 * (yy - cy + r) / (2 * r)
        acc[mask] = acc[mask] * 0.3 + (colour * shade[mask][:, None]) * 0.7
    acc += rng.normal(0, 4, acc.shape)
    return np.clip(acc, 0, 255).astype(np.uint8)


def make_gradient(w, h):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float64)
    a = np.stack([xx * 255 / (w - 1), yy * 255 / (h - 1),
                  (xx + yy) * 255 / (w + h - 2)], -1)
    return np.clip(np.round(a), 0, 255).astype(np.uint8)


def blur5(a):
    p = np.pad(a.astype(np.float64), ((2, 2), (2, 2), (0, 0)), mode="edge")
    c = np.cumsum(np.cumsum(p, 0), 1)
    c = np.pad(c, ((1, 0), (1, 0), (0, 0)))
    s = c[5:, 5:] - c[:-5, 5:] - c[5:, :-5] + c[:-5, :-5]
    return s / 25.0


def blurred_rmse(src, out):
    d = blur5(src) - blur5(out)
    return float(np.sqrt(np.mean(d * d)))


SKIMAGE_DATA = "/usr/lib/python3/dist-packages/skimage/data"
# Wallpaper photographs of Debian's mate-backgrounds: skies, water, out-of-focus
# flowers and meadows, the smooth areas where a coarse palette shows its worst.
WALLPAPERS = "/usr/share/backgrounds/mate/nature"
PHOTOS = ("astronaut.png", "chelsea.png", "coffee.png", "hubble_deep_field.jpg", "ihc.png",
          "motorcycle_left.png", "retina.jpg", "rocket.jpg")
PALETTES = ((8, "256"), (4, "16"))
KERNELS = ("fs", "none", "stucki", "burkes", "sierra", "stevenson_arce", "jarvis", "ordered")
ROUNDS = 3


def photo_1920x1080(src, dst):
    """The middle 16:9 part of a photograph, scaled to 1920 x 1080."""
    im = Image.open(src).convert("RGB")
    w, h = im.size
    cw, ch = (h * 16 // 9, h) if w * 9 > h * 16 else (w, w * 9 // 16)
    left, top = (w - cw) // 2, (h - ch) // 2
    im.resize((1920, 1080), Image.LANCZOS, box=(left, top, left + cw, top + ch)).save(dst)


def defaults(folder):
    paths = []
    for name, arr in (("photo", make_photo(1600, 1200, 7)),
                      ("photo_800x600", make_photo(800, 600, 11)),
                      ("gradient", make_gradient(1600, 1200))):
        path = f"{folder}/{name}.bmp"
        Image.fromarray(arr, "RGB").save(path)
        paths.append(path)
    photos = [f"{SKIMAGE_DATA}/{photo}" for photo in PHOTOS]
    if os.path.isdir(WALLPAPERS):
        photos += sorted(f"{WALLPAPERS}/{f}" for f in os.listdir(WALLPAPERS) if f.endswith(".jpg"))
    for photo in photos:
        path = f"{folder}/real_{stem(photo)}.bmp"
        if not os.path.exists(path):
            photo_1920x1080(photo, path)
        paths.append(path)
    return paths


def stem(path):
    """A file's name without folder and extension."""
    return path.rsplit("/", 1)[-1].rsplit(".", 1)[0]


def run(binary, *args):
    out = subprocess.run([binary, *map(str, args)], check=True, capture_output=True,
                         text=True).stdout.split()
    return {k: float(v) for k, v in (l.split("=") for l in out)}


def pillow_palette(path):
    """The palette of our result, as a Pillow palette image of 256 entries
    (the rest copies of the first, which never win a tie)."""
    pal = Image.open(path).getpalette()[:]
    pal += pal[:3] * (256 - len(pal) // 3)
    img = Image.new("P", (1, 1))
    img.putpalette(pal)
    return img


def measure(binary, folder, path, bits, label):
    name = stem(path)
    outdir = f"{folder}/{name}.{label}"
    os.makedirs(outdir, exist_ok=True)
    src_img = Image.open(path).convert("RGB")
    src = np.asarray(src_img)
    mpx = src.shape[0] * src.shape[1] / 1e6
    speeds = run(binary, "dither", path, bits, outdir)
    pal_img = pillow_palette(f"{outdir}/fs.bmp")
    # Both sides in turns, best of each: the machine is shared.
    warm, cold, pil = speeds["qrv_fs_mpx_s"], 0.0, 0.0
    for r in range(ROUNDS):
        for _ in range(2):
            t = time.perf_counter()
            pil_out = src_img.quantize(palette=pal_img, dither=Image.Dither.FLOYDSTEINBERG)
            pil = max(pil, mpx / (time.perf_counter() - t))
        # Cold: the first call with a palette the process has not used, timed
        # in a process that has already reduced images (as Pillow's side runs
        # in a warm interpreter), so that what is measured is the palette's
        # cache being built, not the process's first touch of its memory.
        cold = max(cold, mpx / (run(binary, "cold", path, bits)["qrv_fs_cold_ms"] / 1000))
        if r:
            warm = max(warm, run(binary, "warm", path, bits)["qrv_fs_mpx_s"])
    pil_rmse = blurred_rmse(src, np.asarray(pil_out.convert("RGB")))
    rmse = {k: blurred_rmse(src, np.asarray(Image.open(f"{outdir}/{k}.bmp").convert("RGB")))
            for k in KERNELS}
    ratio = rmse["fs"] / pil_rmse
    print(f"image={name} palette={label} qrv_fs_mpx_s={warm:.1f} qrv_fs_cold_mpx_s={cold:.1f} "
          f"pillow_fs_mpx_s={pil:.1f} ratio_warm={warm / pil:.2f} ratio_cold={cold / pil:.2f} "
          f"blurred_rmse={rmse['fs']:.4f} pillow_blurred_rmse={pil_rmse:.4f} "
          f"rmse_ratio={ratio:.4f} quality={'ok' if ratio <= 1.0 else 'worse'}")
    print(f"image={name} palette={label} kernels_blurred_rmse "
          + " ".join(f"{k}={rmse[k]:.3f}" for k in KERNELS))
    print(f"image={name} palette={label} kernels_mpx_s "
          + " ".join(f"{k}={speeds['qrv_' + k + '_mpx_s']:.1f}" for k in KERNELS))
    return ratio, warm / pil, cold / pil


def summary(label, results):
    """The worst quality and the lowest speed ratios over `results`, a list of
    (where, rmse ratio, warm ratio, cold ratio)."""
    q = max(results, key=lambda r: r[1])
    w = min(results, key=lambda r: r[2])
    c = min(results, key=lambda r: r[3])
    print(f"{label}: worst rmse_ratio={q[1]:.4f} ({q[0]}) "
          f"quality={'ok' if q[1] <= 1.0 else 'worse'}; "
          f"lowest ratio_warm={w[2]:.2f} ({w[0]}); lowest ratio_cold={c[3]:.2f} ({c[0]})")


def main():
    binary, folder = sys.argv[1], sys.argv[2]
    images = sys.argv[3:] or defaults(folder)
    results = []
    for path in images:
        name = stem(path)
        for bits, label in PALETTES:
            results.append((f"{name}/{label}", *measure(binary, folder, path, bits, label)))
    real = [r for r in results if r[0].startswith("real_")]
    if real:
        summary("real photographs", real)
    summary("all inputs", results)
    chain_src = next((p for p in images if "800x600" in p), None)
    if chain_src is None:
        chain_src = f"{folder}/photo_800x600.bmp"
        Image.fromarray(make_photo(800, 600, 11), "RGB").save(chain_src)
    out = subprocess.run([binary, "chain", chain_src], check=True, capture_output=True,
                         text=True).stdout
    for line in out.splitlines():
        if line.startswith("chain_800x600_ms=") or line.startswith("chain_steps_ms"):
            print(line)
        elif line.startswith("chain_"):
            print(line)


if __name__ == "__main__":
    main()
