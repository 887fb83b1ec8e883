/** The companion's options by name, camelCase or as written: a switch is true. */
export interface Options {
  format?: string;
  start?: string;
  finish?: string;
  middle?: string;
  mode?: "two" | "mirror" | "three";
  space?: "srgb" | "linear" | "oklab" | "oklch" | "oklch-long";
  stops?: string;
  rainbow?: boolean;
  phase?: number | string;
  background?: string;
  budget?: number | string;
  utf8?: boolean;
  [option: string]: string | number | boolean | null | undefined;
}

export const OK: 0;
export const NOTHING_FOUND: 1;
export const BAD_INPUT: 2;
export const DOES_NOT_FIT: 3;
export const CONTRAST_SHORT: 4;

export class TintrelError extends Error {
  status: number;
}

export interface Gradient {
  (text: string): string;
  multiline(text: string): string;
}

export function gradient(colours: string[], options?: Options): Gradient;
export function write(text: string, options?: Options): string;
export function writeBytes(text: string, options?: Options): Uint8Array;
export function decode(text: string, options?: Options): string;
export function count(text: string, options?: Options): { length: number; budget: number };
export function fit(text: string, options?: Options): string;
export function checkContrast(text: string, options?: Options): { passes: boolean; report: string };
