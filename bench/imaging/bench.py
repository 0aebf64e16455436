"""Pillow side of the imaging benchmark: default images, Pillow's dithering
on the same pixels and palette, and the blurred RMSE of both results."""
import subprocess
import sys
import time

import numpy as np
from PIL import Image


def bench_palette():
    pal = []
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal += [r * 51, g * 51, b * 51]
    for i in range(40):
        v = (i + 1) * 255 // 41
        pal += [v, v, v]
    return pal


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


def defaults(folder):
    paths = []
    for name, arr in (("photo", make_photo(1600, 1200, 7)),
                      ("photo_800x600", make_photo(800, 600, 11)),
                      ("gradient", make_gradient(1600, 1200))):
        path = f"{folder}/{name}.bmp"
        Image.fromarray(arr, "RGB").save(path)
        paths.append(path)
    return paths


def main():
    binary, folder = sys.argv[1], sys.argv[2]
    images = sys.argv[3:] or defaults(folder)
    pal_img = Image.new("P", (1, 1))
    pal_img.putpalette(bench_palette())
    for path in images:
        name = path.rsplit("/", 1)[-1].rsplit(".", 1)[0]
        src_img = Image.open(path).convert("RGB")
        src = np.asarray(src_img)
        out_path = f"{folder}/{name}.qrv_fs.bmp"
        lines = subprocess.run([binary, "dither", path, out_path], check=True,
                               capture_output=True, text=True).stdout.split()
        ours = dict(l.split("=") for l in lines)
        best = 1e30
        for _ in range(5):
            t = time.perf_counter()
            pil = src_img.quantize(palette=pal_img, dither=Image.Dither.FLOYDSTEINBERG)
            best = min(best, time.perf_counter() - t)
        pil_mpx = src.shape[0] * src.shape[1] / best / 1e6
        qrv_mpx = float(ours["qrv_fs_mpx_s"])
        qrv_rmse = blurred_rmse(src, np.asarray(Image.open(out_path).convert("RGB")))
        pil_rmse = blurred_rmse(src, np.asarray(pil.convert("RGB")))
        quality = "ok" if qrv_rmse <= pil_rmse * 1.02 else "worse"
        print(f"image={name} qrv_fs_mpx_s={qrv_mpx:.1f} pillow_fs_mpx_s={pil_mpx:.1f} "
              f"ratio_fs={qrv_mpx / pil_mpx:.2f} blurred_rmse={qrv_rmse:.3f} "
              f"pillow_blurred_rmse={pil_rmse:.3f} quality={quality}")
        others = " ".join(f"{k}={v}" for k, v in ours.items() if k != "qrv_fs_mpx_s")
        print(f"image={name} kernels {others}")
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
